#include "core/cli/Utf8Arguments.h"

#ifdef _WIN32
#include "core/util/WindowsApi.h"
// After <windows.h>, which it needs.
#include <shellapi.h>
#endif

namespace vexa {

#ifdef _WIN32
namespace {

std::string Utf8FromWide(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return {};
    std::string utf8(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back(); // the terminator
    return utf8;
}

} // namespace
#endif

Utf8Arguments::Utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            texts_.push_back(Utf8FromWide(wide[i]));
        LocalFree(wide);
    } else {
        texts_.assign(argv, argv + argc);
    }
#else
    texts_.assign(argv, argv + argc);
#endif
#ifdef _WIN32
    consoleCodePage_ = GetConsoleOutputCP();
    if (consoleCodePage_ != 0)
        SetConsoleOutputCP(CP_UTF8);
#endif
    for (std::string& text : texts_)
        pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
    argc_ = static_cast<int>(texts_.size());
}

Utf8Arguments::~Utf8Arguments() {
#ifdef _WIN32
    if (consoleCodePage_ != 0)
        SetConsoleOutputCP(consoleCodePage_);
#endif
}

} // namespace vexa
