#include <locale.h>

#include <cerrno>
#include <cstdlib>

#include "platform/ini/cnumber.h"

namespace ini_detail {
namespace {

// Switches this thread to the C locale for the lifetime of the guard, so strtod
// keeps "." as decimal point even after the program set LC_NUMERIC.
class CLocaleGuard {
  public:
    CLocaleGuard() {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
        if (cLocale != locale_t{}) {
            m_previous = uselocale(cLocale);
        }
    }
    ~CLocaleGuard() {
        if (m_previous != locale_t{}) {
            uselocale(m_previous);
        }
    }
    CLocaleGuard(const CLocaleGuard&) = delete;
    CLocaleGuard& operator=(const CLocaleGuard&) = delete;

  private:
    locale_t m_previous{};
};

}  // namespace

double StrtodInCLocale(const std::string& text, std::size_t* end, int* error) {
    char* stop = nullptr;
    CLocaleGuard cLocale;
    errno = 0;
    const double value = std::strtod(text.c_str(), &stop);
    *error = errno;
    *end = static_cast<std::size_t>(stop - text.c_str());
    return value;
}

}  // namespace ini_detail
