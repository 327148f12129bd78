#include "DeviceProtocol.h"

#include "SysUtils.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

template <size_t N> Bytes ToBytes(const std::array<uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

Bytes RecordBytes(const DeviceFields& fields) {
    return ToBytes(EncodeRecord(RecordFromFields(fields)));
}

Bytes Slice(const Bytes& b, size_t from, size_t count) {
    return Bytes(b.begin() + from, b.begin() + from + count);
}

std::string ConversionMessage(const DeviceFields& fields) {
    try {
        RecordFromFields(fields);
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "(converted)";
}

DeviceFields WithCan0Custom(const std::string& arbitration, const std::string& data) {
    DeviceFields f = DefaultDeviceFields();
    f.Can[0] = ChannelFields{true, arbitration, data, 0, 0};
    return f;
}

Bytes AnswerWith(std::initializer_list<std::pair<size_t, uint8_t>> changes) {
    Bytes answer(DeviceAnswerSize, 0);
    for (auto [at, value] : changes)
        answer[at] = value;
    return answer;
}

} // namespace

TEST(DeviceProtocol, DefaultFieldsGiveTheKnownWriteCommand) {
    Bytes expected{0xAA, 0xBB, 0xC0, 0xA8, 0x00, 0x37, 0x12, 0xC0, 0xC0, 0xA8, 0x00,
                   0x65, 0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x00, 0x01, 0x0F, 0xA0};
    expected.resize(47, 0x00);
    EXPECT_EQ(ToBytes(EncodeWriteCommand(RecordFromFields(DefaultDeviceFields()))), expected);
}

TEST(DeviceProtocol, CustomRatesFillOnlyTheirHalfOfTheBlock) {
    Bytes record = RecordBytes(WithCan0Custom("00050B2E", "00008207"));
    EXPECT_EQ(Slice(record, 20, 12),
              (Bytes{0x00, 0x05, 0x0B, 0x2E, 0x00, 0x00, 0x82, 0x07, 0x00, 0x01, 0x00, 0x00}));
    EXPECT_EQ(Slice(record, 32, 13), Bytes(13, 0x00)); // CAN1 on list positions 0, reserved byte 0

    record = RecordBytes(WithCan0Custom("b2e", "FFFFFFFF"));
    EXPECT_EQ(Slice(record, 20, 8), (Bytes{0x00, 0x00, 0x0B, 0x2E, 0xFF, 0xFF, 0xFF, 0xFF}));
    DeviceFields back = FieldsFromRecord(DecodeRecord(record.data()));
    EXPECT_EQ(back.Can[0].ArbitrationCustom, "00000B2E");
    EXPECT_EQ(back.Can[0].DataCustom, "FFFFFFFF");
}

TEST(DeviceProtocol, CustomTextIsBareHexDigitsOnly) {
    EXPECT_EQ(CustomValueFromText("0"), 0u);
    EXPECT_EQ(CustomValueFromText("abcDEF12"), 0xABCDEF12u);
    for (const char* bad : {"", " b2e", "-1", "+1", "0x12", "$12", "12 ", "g", "123456789"})
        EXPECT_THROW(CustomValueFromText(bad), EConvertError) << bad;
    EXPECT_EQ(ConversionMessage(WithCan0Custom("", "0")), "'0x' is not a valid integer value");
    EXPECT_EQ(ConversionMessage(WithCan0Custom("0", "-5")), "'0x-5' is not a valid integer value");
}

TEST(DeviceProtocol, OutOfRangeNumbersAreCutToTheFieldWidth) {
    DeviceFields f = DefaultDeviceFields();
    f.HostIP = {"256", "-1", "$7F", "0x1ff"};
    f.HostUdpPort = "65536";
    f.DevUdpPort = "-1";
    f.Can[1].ArbitrationIndex = -1; // no selection
    f.Can[1].DataIndex = 14;
    Bytes record = RecordBytes(f);
    EXPECT_EQ(Slice(record, 0, 6), (Bytes{0x00, 0xFF, 0x7F, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Slice(record, 18, 2), (Bytes{0xFF, 0xFF}));
    EXPECT_EQ(Slice(record, 41, 3), (Bytes{0x00, 0xFF, 0x0E}));
}

TEST(DeviceProtocol, FirstBadFieldInWindowOrderIsReported) {
    DeviceFields cleared = DefaultDeviceFields();
    cleared.HostIP[0] = "";
    cleared.DevUdpPort = "abc";
    EXPECT_EQ(ConversionMessage(cleared), "'' is not a valid integer value");

    DeviceFields f = DefaultDeviceFields();
    f.DevGatewayIP[3] = " 1";   // leading blanks are fine
    f.Can[1].DataCustom = "zz"; // not in force: never read
    f.DevUdpPort = "40 00";
    f.Can[0] = ChannelFields{true, "xyz", "0", 0, 0};
    EXPECT_EQ(ConversionMessage(f), "'40 00' is not a valid integer value");
    f.DevUdpPort = "4000";
    EXPECT_EQ(ConversionMessage(f), "'0xxyz' is not a valid integer value");
    f.Can[0].Custom = false;
    EXPECT_EQ(ConversionMessage(f), "(converted)");
    EXPECT_EQ(ConversionMessage(WithCan0Custom("0", "0")), "(converted)");
    f.HostUdpPort = "2147483648"; // past the signed 32-bit range
    EXPECT_EQ(ConversionMessage(f), "'2147483648' is not a valid integer value");
}

TEST(DeviceProtocol, AnswerGivesTheWindowItsTexts) {
    Bytes answer =
        AnswerWith({{0, 192},   {1, 168},   {3, 7},     {4, 0x12},  {5, 0xC0},  {18, 0x0F}, {19, 0xA0},
                    {20, 0x00}, {21, 0x05}, {22, 0x0B}, {23, 0x2E}, {27, 0x07}, {29, 7},    {30, 3},
                    {31, 4},    {42, 15},   {43, 14},   {44, 0x99}, {45, 0x02}, {50, 0xFF}});
    auto decoded = DecodeDeviceAnswer(answer.data(), answer.size());
    ASSERT_TRUE(decoded);
    DeviceFields f = FieldsFromRecord(decoded->Record);
    EXPECT_EQ(f.HostIP, (std::array<std::string, 4>{"192", "168", "0", "7"}));
    EXPECT_EQ(f.HostUdpPort, "4800");
    EXPECT_EQ(f.DevUdpPort, "4000");
    // byte 29 = 7: custom in force; the list bytes 30/31 are not for showing
    EXPECT_TRUE(f.Can[0].Custom);
    EXPECT_EQ(f.Can[0].ArbitrationCustom, "00050B2E");
    EXPECT_EQ(f.Can[0].DataCustom, "00000007");
    EXPECT_EQ(f.Can[0].ArbitrationIndex, -1);
    // CAN1 standard: index 15 is past the table, 14 is its last item
    EXPECT_FALSE(f.Can[1].Custom);
    EXPECT_EQ(f.Can[1].ArbitrationIndex, -1);
    EXPECT_EQ(f.Can[1].DataIndex, 14);
    EXPECT_EQ(f.Can[1].ArbitrationCustom, "");
    EXPECT_EQ(FormatMacAddress(decoded->Mac), "MAC Address: 02-00-00-00-00-FF");
    // reserved bytes survive a round trip for whoever stores the record
    EXPECT_EQ(ToBytes(EncodeDeviceAnswer(*decoded)), answer);
}

TEST(DeviceProtocol, ShortAnswersAreRefusedLongOnesCut) {
    EXPECT_FALSE(DecodeDeviceAnswer(nullptr, 0));
    for (size_t length : {size_t{1}, size_t{45}, size_t{50}}) {
        Bytes exact(length, 0xAB); // heap block of exactly `length`: a read past it trips ASan
        EXPECT_FALSE(DecodeDeviceAnswer(exact.data(), exact.size())) << length;
    }
    Bytes longer = AnswerWith({{45, 0x0A}, {50, 0x1B}});
    longer.resize(60, 0xEE);
    auto decoded = DecodeDeviceAnswer(longer.data(), longer.size());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Mac, (MacAddress{0x0A, 0, 0, 0, 0, 0x1B}));
}

TEST(DeviceProtocol, CommandsAreRecognisedByMarkerAndExactLength) {
    Bytes read{0xCC, 0xDD};
    EXPECT_EQ(ClassifyCommand(read.data(), read.size()), DatagramKind::ReadRequest);
    read.push_back(0);
    EXPECT_EQ(ClassifyCommand(read.data(), read.size()), DatagramKind::None);
    EXPECT_EQ(ClassifyCommand(read.data(), 1), DatagramKind::None);

    DeviceConfigRecord record = RecordFromFields(WithCan0Custom("1", "2"));
    Bytes write = ToBytes(EncodeWriteCommand(record));
    EXPECT_EQ(DecodeWriteCommand(write.data(), write.size()), record);
    EXPECT_FALSE(DecodeWriteCommand(write.data(), write.size() - 1));
    write[1] = 0xBC;
    EXPECT_FALSE(DecodeWriteCommand(write.data(), write.size()));
}

TEST(DeviceProtocol, TablesKeepReservedItemsInPlace) {
    EXPECT_EQ(ArbitrationBaudrateTable[1], "预留1");
    EXPECT_EQ(ArbitrationBaudrateTable[3], "500Kbps");
    EXPECT_EQ(ArbitrationBaudrateTable[14], "5Kbps");
    EXPECT_EQ(DataBaudrateTable[8], "500kbps");
    EXPECT_EQ(DataBaudrateTable[14], "预留7");
}
