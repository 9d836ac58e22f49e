// The weight file reader on arbitrary bytes.
//
// Properties: at most kMaxDefines defines, none of them outside the define
// form; a file in the define form read as the other script is not; and a
// file of defines that the writers write reads back as written.
#include "FuzzSupport.h"
#include "core/generate/Writers.h"
#include "core/import/ScriptReaders.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace vexa::fuzz {
namespace {

void Run(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (const std::string_view script : {kWeaponWeightsScript, kItemWeightsScript}) {
        const WeightsFile file = ReadWeightsFile(text, script);
        Check(file.defines.size() <= kMaxDefines, "at most kMaxDefines defines");
        Check(file.defineForm || file.defines.empty(), "no defines outside the define form");
        Check(file.defineForm || !file.whyNot.empty(), "a file not in the form says why");
        for (const WeightValue& define : file.defines) {
            std::int64_t value = 0;
            bool rounded = false;
            if (WeightNumber(define.value, value, rounded))
                Check(value >= -1'000'000'000'000 && value <= 1'000'000'000'000,
                      "a weight is limited to 10^12");
        }
    }

    // The input's bytes as weights, written and read back.
    SkillProfile block{};
    std::size_t used = std::min(size, sizeof(std::int32_t) * 27);
    std::int32_t values[27] = {};
    std::memcpy(values, data, used);
    for (std::size_t i = 0; i < kItemWeightDefines.size(); ++i)
        block.*kItemWeightDefines[i].field = values[i];
    for (std::size_t i = 0; i < kWeaponWeightDefines.size(); ++i)
        block.*kWeaponWeightDefines[i].field = values[i];
    const WeightsFile items = ReadWeightsFile(ItemWeightsFileText(block), kItemWeightsScript);
    const WeightsFile weapons = ReadWeightsFile(WeaponWeightsFileText(block), kWeaponWeightsScript);
    Check(items.defineForm && weapons.defineForm, "the writers write the define form");
    Check(items.defines.size() == kItemWeightDefines.size() &&
              weapons.defines.size() == kWeaponWeightDefines.size(),
          "every define is read");
    for (std::size_t i = 0; i < items.defines.size(); ++i) {
        std::int64_t value = 0;
        bool rounded = true;
        Check(items.defines[i].name == kItemWeightDefines[i].name, "defines in the written order");
        Check(WeightNumber(items.defines[i].value, value, rounded) && !rounded &&
                  value == block.*kItemWeightDefines[i].field,
              "every item weight reads back as written");
    }
    for (std::size_t i = 0; i < weapons.defines.size(); ++i) {
        std::int64_t value = 0;
        bool rounded = true;
        Check(WeightNumber(weapons.defines[i].value, value, rounded) && !rounded &&
                  value == block.*kWeaponWeightDefines[i].field,
              "every weapon weight reads back as written");
    }
}

} // namespace
} // namespace vexa::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexa::fuzz::Run(data, size);
    return 0;
}
