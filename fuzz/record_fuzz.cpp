// Arbitrary stored values (any type, any length, any bytes) read through the in-memory registry:
// reading must never fail badly, what was read must write back and read again unchanged, and the
// editor conversions of every number must hold their documented round trips.
#include "config/registry_record.h"
#include "config/value_conversions.h"
#include "support/fixed_code_page.h"
#include "support/memory_registry.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace sarnex;

// Reports the failed condition's line before stopping, so a crash file explains itself.
void CheckAt(bool condition, int line) {
    if (condition) return;
    std::fprintf(stderr, "check failed at line %d\n", line);
    std::abort();
}
#define Check(condition) CheckAt((condition), __LINE__)

void CheckConversions(const config::DriverConfiguration& record, const platform::CodePage& codePage) {
    if (record.DiskType) (void)config::DiskTypeIndexFromCode(*record.DiskType);
    if (record.SizeIn4kPages) {
        const std::int32_t pages = *record.SizeIn4kPages;
        const auto back = config::PagesFromSizeText(config::SizeTextFromPages(pages));
        if (pages >= -524288 && pages <= 524288) Check(back == pages);
    }
    if (record.AutoSaveTrigger) {
        const std::int32_t trigger = *record.AutoSaveTrigger;
        const auto back = config::TriggerFromIntervalText(config::IntervalTextFromTrigger(trigger));
        if (trigger >= -8192 && trigger <= 8192) Check(back == trigger);
    }
    if (record.UserDriveLetter) {
        const auto bits = static_cast<std::uint32_t>(*record.UserDriveLetter);
        const auto shown = config::DriveLetterFromStored(*record.UserDriveLetter, codePage);
        std::int32_t index = static_cast<std::int32_t>(bits & 0xFF);
        index = index < 3 ? 3 : index > 190 ? 25 : index;
        Check(shown.checkValue == ((bits >> 24) != 0 ? 1 : 0));
        Check(config::StoredFromDriveLetter(shown.checkValue, shown.letter, codePage) ==
              (shown.checkValue == 1 ? 0x01000000 : 0) + index);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    testing::MemoryRegistry registry;
    testing::FixedCodePage codePage;
    constexpr std::string_view kKey = "Software\\Sarnex";
    registry.AddKey(kKey);
    for (const config::ValueId id : config::kLoadingOrder) {
        if (!input.ConsumeBool()) continue;
        const auto type = input.ConsumeIntegralInRange<std::uint32_t>(0, 11);
        const auto bytes = input.ConsumeBytes<std::byte>(input.ConsumeIntegralInRange<std::size_t>(0, 300));
        registry.PutValue(kKey, config::ValueName(id), type, bytes);
    }

    const config::ReadOutcome first = config::ReadDriverConfiguration(registry, codePage);
    Check(first.KeyOpened());
    Check(registry.OpenHandleCount() == 0);
    CheckConversions(first.record, codePage);

    const config::WriteOutcome written = config::WriteDriverConfiguration(registry, codePage, first.record);
    config::DriverConfiguration expected = first.record;
    for (const config::UnwrittenValue& skipped : written.notWritten) {
        const config::ValueLayout& layout = config::LayoutOf(skipped.id);
        // Only texts of 255 characters can be left out (absent values are not written at all).
        Check(skipped.reason == config::UnwrittenValue::Reason::NotStorable && layout.text &&
              (first.record.*layout.text)->size() > 254);
        if (layout.text) expected.*layout.text = std::nullopt;
    }
    const config::ReadOutcome second = config::ReadDriverConfiguration(registry, codePage);
    for (const config::ValueId id : config::kWritingOrder) {
        const config::ValueLayout& layout = config::LayoutOf(id);
        if (layout.text && expected.*layout.text) Check(second.record.*layout.text == expected.*layout.text);
        if (layout.number && expected.*layout.number) Check(second.record.*layout.number == expected.*layout.number);
    }
    return 0;
}
