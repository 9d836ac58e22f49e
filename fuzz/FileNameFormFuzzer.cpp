// FileNameForm on arbitrary text.
//
// Properties, in both path styles: at most 10 characters; none of the
// removed characters; no upper-case A to Z; the form of a form is itself.
// In the Windows style the form is the input's first kept characters (not a
// question mark or a control character, which Windows refuses in file
// names), lowered, in their order; in the POSIX style it is printable ASCII.
#include "FuzzSupport.h"
#include "core/generate/Names.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vexa::fuzz {
namespace {

constexpr std::string_view kRemoved = " \"'`@\\|/<>.,;:!#%^&*()-=+[{]}";

char Lowered(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

void Run(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const PathStyle style : {PathStyle::Windows, PathStyle::Posix}) {
        const std::string form = FileNameForm(text, style);
        Check(form.size() <= 10, "at most 10 characters");
        for (char c : form) {
            Check(kRemoved.find(c) == std::string_view::npos, "no removed character");
            Check(!(c >= 'A' && c <= 'Z'), "no upper-case letter");
            Check(style == PathStyle::Windows || (c > ' ' && c < 0x7F), "POSIX: printable ASCII");
        }
        Check(FileNameForm(form, style) == form, "the form of a form is itself");
    }
    const std::string form = FileNameForm(text, PathStyle::Windows);

    std::string kept;
    for (char c : text)
        if (kRemoved.find(c) == std::string_view::npos && c != '?' &&
            static_cast<unsigned char>(c) >= 0x20 && kept.size() < 10)
            kept.push_back(Lowered(c));
    Check(form == kept, "the form is the first kept characters, lowered");
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
