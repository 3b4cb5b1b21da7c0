// Message texts, popup titles and the texts of results with a reason. The
// cases are the lines of cases.txt.
#include <gtest/gtest.h>
#include <netdb.h>

#include <cerrno>
#include <cstring>
#include <regex>
#include <sstream>
#include <string>
#include <utility>

#include "errors/VEK_errorV3.h"
#include "errors/fehlertext.h"
#include "platform/rs232/devicegroup.h"
#include "tests/support/casetable.h"

namespace {

// The errno of a name such as "EBUSY"; 0 for none.
int ErrorNumber(const std::string& name) {
    for (int error = 1; error < 256; ++error)
        if (const char* known = strerrorname_np(error); known && name == known) return error;
    return 0;
}

// Language and user text are module state: every test starts German without one.
class Errors : public testing::Test {
  protected:
    void SetUp() override {
        VEK_Fehlersprache(1);
        VEK_Fehleruserstring(nullptr);
    }

    // What the operator sees for one line of the table; empty when the call
    // is unknown.
    std::string shown(const std::string& call, int code) {
        std::istringstream words(call);
        std::string verb, first, second;
        words >> verb >> first >> second;
        if (verb == "text") return VEK_Fehlermeldung(code);
        if (verb == "user") {
            VEK_Fehleruserstring(call.substr(5).c_str());
            return "-";
        }
        if (verb == "port") {
            rs232::PortFailure f{second,
                                 {first == "gone" ? EIO : ErrorNumber(first), first == "gone",
                                  first == "unresolved" ? EAI_NONAME : 0},
                                 ""};
            if (f.cause.error == EACCES || f.cause.error == EPERM)
                f.group = rs232::GroupToJoin(second);
            m_reason = f;
            return "-";
        }
        if (verb == "file") m_reason = FileReason{second, ErrorNumber(first)};
        if (verb == "system") m_reason = SystemReason{ErrorNumber(first)};
        if (verb == "file" || verb == "system") return "-";
        const Result result(code, std::exchange(m_reason, {}));
        if (verb == "shown") return Fehlertext(result);
        const bool still = VEK_FehlerStill(code);
        if (verb == "popup")
            return still ? "-" : VEK_FehlerpopupTitel(code) + " | " + Fehlertext(result);
        if (verb == "popup2") {
            return still ? "-"
                         : VEK_FehlerpopupTitel(code, call.substr(7).c_str()) + " | " +
                               Fehlertext(result);
        }
        return {};
    }
    Reason m_reason;
};

TEST_F(Errors, TextsAndPopupsFollowTheCaseTable) {
    testsupport::RunCaseTable(ZAN1_ERROR_CASES, 100, [this](const std::string& line) {
        std::istringstream fields(line);
        std::string language, call, code, escaped;
        std::getline(fields, language, '\t');
        std::getline(fields, call, '\t');
        std::getline(fields, code, '\t');
        std::getline(fields, escaped);
        int number = 0, chosen = 0;
        if (!testsupport::ReadNumber(code, &number) ||
            (language != "-" && !testsupport::ReadNumber(language, &chosen))) {
            return false;
        }
        if (language != "-") VEK_Fehlersprache(chosen);
        const std::string seen = shown(call, number);
        // "\n" in the table is a line break
        EXPECT_EQ(seen, std::regex_replace(escaped, std::regex(R"(\\n)"), "\n"));
        return !seen.empty();
    });
}

TEST_F(Errors, UserTextIsCutTo299BytesOnACharacterBoundary) {
    const auto kept = [](const std::string& text) {
        VEK_Fehleruserstring(text.c_str());
        return std::string(VEK_Fehlermeldung(0))
            .substr(std::strlen("Es ist kein Fehler aufgetreten"));
    };
    EXPECT_EQ(kept(std::string(400, 'x')), std::string(299, 'x'));
    EXPECT_EQ(kept(std::string(298, 'a') + "üü"), std::string(298, 'a'));
    EXPECT_EQ(kept(std::string(297, 'a') + "üü"), std::string(297, 'a') + "ü");
}

}  // namespace
