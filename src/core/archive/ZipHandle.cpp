#include "core/archive/ZipHandle.h"

namespace vexa {

std::string ZipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

std::string ZipErrorText(zip_t* archive) {
    if (archive == nullptr)
        return "no archive";
    return zip_error_strerror(zip_get_error(archive));
}

} // namespace vexa
