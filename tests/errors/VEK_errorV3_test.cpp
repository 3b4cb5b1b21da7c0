#include "errors/VEK_errorV3.h"

#include <gtest/gtest.h>

#include <charconv>
#include <climits>
#include <fstream>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "errors/catalogue.h"

namespace {

struct Row {
    int number = 0;
    std::string german;
    std::string english;
};

void PrintTo(const Row& row, std::ostream* os) {
    *os << "message number " << row.number;
}

std::string Unescape(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 1 < field.size() && field[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += field[i];
        }
    }
    return out;
}

struct CatalogueFile {
    std::size_t lines = 0;
    std::vector<Row> rows;  // well-formed lines only
};

const CatalogueFile& LoadCatalogueFile() {
    static const CatalogueFile file = [] {
        CatalogueFile f;
        std::ifstream in(ZAN1_CATALOGUE_TSV);
        for (std::string line; std::getline(in, line);) {
            ++f.lines;
            const auto tab1 = line.find('\t');
            const auto tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
            if (tab2 == std::string::npos || line.find('\t', tab2 + 1) != std::string::npos) {
                continue;
            }
            Row row;
            const auto [end, ec] = std::from_chars(line.data(), line.data() + tab1, row.number);
            if (ec != std::errc() || end != line.data() + tab1) {
                continue;
            }
            row.german = Unescape(line.substr(tab1 + 1, tab2 - tab1 - 1));
            row.english = Unescape(line.substr(tab2 + 1));
            f.rows.push_back(row);
        }
        return f;
    }();
    return file;
}

const std::string kDefaultGerman = "Ein unbekannter Fehler ist aufgetreten";
const std::string kDefaultEnglish = "A unknown error occured";
const std::string kSuccessGerman = "Es ist kein Fehler aufgetreten";
const std::string kSuccessEnglish = "No error";

std::string German(int code) {
    VEK_Fehlersprache(1);
    return VEK_Fehlermeldung(code);
}

std::string English(int code) {
    VEK_Fehlersprache(2);
    return VEK_Fehlermeldung(code);
}

// The module state is global: start every test in German with no pending user text.
class VekErrorV3 : public ::testing::Test {
  protected:
    void SetUp() override {
        VEK_Fehlersprache(1);
        VEK_Fehleruserstring(nullptr);
    }
};

class VekErrorV3Entry : public VekErrorV3, public ::testing::WithParamInterface<Row> {};

TEST_P(VekErrorV3Entry, EveryCodeOfTheNumberYieldsBothTexts) {
    const Row& row = GetParam();
    for (const int site : {1, 999}) {
        const int code = row.number * 1000 - site;
        SCOPED_TRACE(code);
        EXPECT_EQ(German(code), row.german);
        EXPECT_EQ(English(code), row.english);
    }
}

INSTANTIATE_TEST_SUITE_P(Catalogue, VekErrorV3Entry, ::testing::ValuesIn(LoadCatalogueFile().rows),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             const int n = info.param.number;
                             return n == 0 ? std::string("zero") : "minus" + std::to_string(-n);
                         });

TEST_F(VekErrorV3, DataFileHoldsAll156Entries) {
    const CatalogueFile& file = LoadCatalogueFile();
    EXPECT_EQ(file.lines, 156u);
    ASSERT_EQ(file.rows.size(), 156u);
    std::set<int> numbers;
    for (const Row& row : file.rows) {
        numbers.insert(row.number);
    }
    EXPECT_EQ(numbers.size(), 156u);
}

TEST_F(VekErrorV3, NumbersWithoutEntryYieldTheDefaultText) {
    std::set<int> listed;
    for (const Row& row : LoadCatalogueFile().rows) {
        listed.insert(row.number);
    }
    ASSERT_FALSE(listed.empty());
    int unlisted = 0;
    for (int number = -1; number >= -1100; --number) {
        if (listed.count(number) != 0) {
            continue;
        }
        ++unlisted;
        SCOPED_TRACE(number);
        EXPECT_EQ(German(number * 1000 - 1), kDefaultGerman);
        EXPECT_EQ(English(number * 1000 - 999), kDefaultEnglish);
    }
    EXPECT_EQ(unlisted, 1100 - 155);
}

TEST_F(VekErrorV3, NumberIsCodeDividedBy1000TowardZero) {
    for (const int code : {0, -1, -500, -999, 42, 999}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(German(code), kSuccessGerman);
        EXPECT_EQ(English(code), kSuccessEnglish);
    }
    for (const int code : {-100002, -100999, -100000}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(German(code), "Fehler beim öffnen der seriellen Schnittstelle");
    }
    EXPECT_EQ(German(-101000), "Fehler beim schreiben auf die serielle Schnittstelle");
    for (const int code : {-99999, 1500, 5000, 100002, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(German(code), kDefaultGerman);
        EXPECT_EQ(English(code), kDefaultEnglish);
    }
}

TEST_F(VekErrorV3, LanguageStaysAsLastSet) {
    EXPECT_EQ(std::string(VEK_Fehlermeldung(-302105)), "Die Datei ist nicht vom richtigen Typ");
    VEK_Fehlersprache(2);
    EXPECT_EQ(std::string(VEK_Fehlermeldung(-302105)), "Wrong filetype");
    EXPECT_EQ(std::string(VEK_Fehlermeldung(-403011)), "No answer from device");
    for (const int other : {0, 1, 3, -2}) {
        VEK_Fehlersprache(other);
        EXPECT_EQ(std::string(VEK_Fehlermeldung(-302105)), "Die Datei ist nicht vom richtigen Typ")
            << "language " << other;
    }
}

TEST_F(VekErrorV3, EmptyEntriesYieldEmptyText) {
    for (const int code : {-6001, -9999}) {
        EXPECT_EQ(German(code), "");
        EXPECT_EQ(English(code), "");
    }
    VEK_Fehleruserstring("nur dies");
    EXPECT_EQ(std::string(VEK_Fehlermeldung(-6001)), "nur dies");
}

TEST_F(VekErrorV3, UserTextIsAppendedOnceWithoutSeparator) {
    VEK_Fehleruserstring(" COM3");
    EXPECT_EQ(std::string(VEK_Fehlermeldung(-403011)), "Keine Antwort vom Gerät COM3");
    EXPECT_EQ(std::string(VEK_Fehlermeldung(-403011)), "Keine Antwort vom Gerät");

    VEK_Fehleruserstring("x");
    EXPECT_EQ(std::string(VEK_Fehlermeldung(0)), kSuccessGerman + "x");
    EXPECT_EQ(std::string(VEK_Fehlermeldung(0)), kSuccessGerman);

    VEK_Fehleruserstring("alt");
    VEK_Fehleruserstring("neu");
    EXPECT_EQ(English(5000), kDefaultEnglish + "neu");

    VEK_Fehleruserstring("weg");
    VEK_Fehleruserstring(nullptr);
    EXPECT_EQ(German(-403011), "Keine Antwort vom Gerät");
}

TEST_F(VekErrorV3, UserTextIsCutTo299BytesOnACharacterBoundary) {
    // The longest text plus the longest user text must come back whole.
    const std::string longest = German(-1002001);
    VEK_Fehleruserstring(std::string(400, 'x').c_str());
    EXPECT_EQ(German(-1002001), longest + std::string(299, 'x'));

    VEK_Fehleruserstring(std::string(299, 'y').c_str());
    EXPECT_EQ(German(0), kSuccessGerman + std::string(299, 'y'));

    // "ü" is two bytes; one that would end past byte 299 is dropped whole.
    VEK_Fehleruserstring((std::string(298, 'a') + "üü").c_str());
    EXPECT_EQ(German(0), kSuccessGerman + std::string(298, 'a'));
    VEK_Fehleruserstring((std::string(297, 'a') + "üü").c_str());
    EXPECT_EQ(German(0), kSuccessGerman + std::string(297, 'a') + "ü");
}

}  // namespace
