// Any bytes from the network go through the answer decoder and, when accepted, into window texts.
#include "DeviceProtocol.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The texts shown for custom rates must convert back to the words received.
void CheckCustomTexts(const ChannelFields& shown, const ChannelRateBlock& received) {
    if (!shown.Custom) return;
    if (CustomValueFromText(shown.ArbitrationCustom) != received.CustomArbitrationBaudrate ||
        CustomValueFromText(shown.DataCustom) != received.CustomDataBaudrate)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto answer = DecodeDeviceAnswer(data, size);
    if (!answer) return 0;
    DeviceFields fields = FieldsFromRecord(answer->Record);
    FormatMacAddress(answer->Mac);
    for (size_t n = 0; n < fields.Can.size(); ++n)
        CheckCustomTexts(fields.Can[n], answer->Record.Can[n]);
    const auto again = EncodeDeviceAnswer(*answer);
    if (!std::equal(again.begin(), again.end(), data)) std::abort();
    return 0;
}
