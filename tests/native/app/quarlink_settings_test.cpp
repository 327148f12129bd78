// quarlink's keys and settings files: the window's conversions, by name.
#include "SettingsFile.h"

#include "SysUtils.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace {

DeviceConfigRecord Defaults() {
    return RecordFromFields(DefaultDeviceFields());
}

// CAN0 on table entries with the last data entry, CAN1 custom; other addresses and ports.
DeviceConfigRecord Sample() {
    DeviceFields f = DefaultDeviceFields();
    f.HostIP = {"10", "20", "30", "40"};
    f.DevUdpPort = "3001";
    f.Can[0].ArbitrationIndex = 3;
    f.Can[0].DataIndex = 14;
    f.Can[1] = ChannelFields{true, "1F4A0", "DEADBEEF", 0, 0};
    return RecordFromFields(f);
}

std::string Refusal(size_t key, const std::string& text) {
    try {
        CheckSetting(key, text);
    } catch (const SettingError& e) {
        return e.what();
    }
    return "(accepted)";
}

SettingChanges Changes(std::initializer_list<std::pair<const char*, const char*>> sets) {
    SettingChanges changes;
    for (auto [key, value] : sets)
        changes[*FindSetting(key)] = value;
    return changes;
}

std::string WriteFile(const std::string& name, const std::string& text) {
    std::string path = testing::TempDir() + std::to_string(getpid()) + "-" + name;
    std::ofstream(path) << text;
    return path;
}

std::string FileRefusal(const std::string& text) {
    try {
        SettingsFile(WriteFile("settings.json", text)).For("127.0.0.2");
    } catch (const SettingError& e) {
        return e.what();
    }
    return "(accepted)";
}

} // namespace

TEST(QuarlinkSettings, ARecordReadsAsTheWindowShowsIt) {
    DeviceConfigRecord r = Sample();
    r.Can[0].DataBaudrateIndex = 15; // past the table: the window selects nothing
    SettingTexts texts = SettingsFromRecord(r);
    EXPECT_EQ(texts, (SettingTexts{"10.20.30.40", "4800", "192.168.0.101", "3001", "255.255.255.0",
                                   "192.168.0.1", "500Kbps", "", "0x0001F4A0", "0xDEADBEEF"}));
}

TEST(QuarlinkSettings, ChangedTextsConvertAsTheWindowsFieldsDo) {
    DeviceFields window = DefaultDeviceFields();
    window.HostIP = {"256", "-1", "$7F", " 0x1ff"};
    window.HostUdpPort = "65536";
    window.Can[1] = ChannelFields{true, "b2e", "FFFFFFFF", 0, 0};
    window.Can[0].ArbitrationIndex = 1;
    window.Can[0].DataIndex = 8;
    EXPECT_EQ(ApplyChanges(Defaults(), Changes({{"host-ip", "256.-1.$7F. 0x1ff"},
                                                {"host-port", "65536"},
                                                {"can1.arbitration", "0xb2e"},
                                                {"can1.data", "0xFFFFFFFF"},
                                                {"can0.arbitration", "预留1"},
                                                {"can0.data", "500kbps"}})),
              RecordFromFields(window));
    // Keys not named keep the device's values.
    DeviceConfigRecord kept = Sample();
    kept.DevUdpPort = 17;
    EXPECT_EQ(ApplyChanges(Sample(), Changes({{"dev-port", "17"}})), kept);
}

TEST(QuarlinkSettings, EveryKeyRefusesItsBadValuesNamingTheKeyAndTheForm) {
    const std::pair<const char*, std::vector<std::string>> bad[] = {
        {"host-ip", {"", "1.2.3", "1.2.3.4.5", "1.2.x.4", "1..3.4", "2147483648.0.0.1"}},
        {"host-port", {"", "48x", "4800 ", "-", "0x"}},
        {"dev-ip", {"10.0.0", "a.b.c.d"}},
        {"dev-port", {"40 00", "2147483648"}},
        {"mask", {"255.255.255", "255.255.255.0.0"}},
        {"gateway", {"192.168.0.", "+.1.1.1"}},
        {"can0.arbitration", {"500kbps", "1mbps", "0x", "0x123456789", "0xg", "0X12", " 1Mbps"}},
        {"can0.data", {"500Kbps", "0x-1", "5Kbps"}},
        {"can1.arbitration", {"预留6", "0x 1"}},
        {"can1.data", {"预留8", "0x1 "}},
    };
    for (const auto& [key, values] : bad) {
        size_t k = *FindSetting(key);
        for (const auto& value : values) {
            std::string message = Refusal(k, value);
            EXPECT_EQ(message.rfind(std::string(key) + ": ", 0), 0u)
                << key << "=" << value << ": " << message;
            EXPECT_NE(message.find("; expected " + ExpectedForm(k)), std::string::npos) << message;
        }
    }
    // The window's own message, whole.
    EXPECT_EQ(Refusal(*FindSetting("dev-port"), "40x"),
              "dev-port: '40x' is not a valid integer value; expected a number, e.g. 4800");
    EXPECT_EQ(Refusal(*FindSetting("can0.data"), "0x").substr(0, 46),
              "can0.data: '0x' is not a valid integer value; ");
    EXPECT_EQ(Refusal(*FindSetting("can1.data"), "预留7"), "(accepted)");
}

TEST(QuarlinkSettings, AChannelsTwoRatesChangeTogetherAndOfOneKind) {
    EXPECT_NO_THROW(CheckChannels(Changes({{"can0.arbitration", "1Mbps"}, {"can0.data", "2Mbps"}})));
    EXPECT_NO_THROW(CheckChannels(Changes({{"can1.arbitration", "0x1"}, {"can1.data", "0x2"}})));
    EXPECT_THROW(CheckChannels(Changes({{"can0.data", "2Mbps"}})), SettingError);
    EXPECT_THROW(CheckChannels(Changes({{"can1.arbitration", "0x1"}, {"can1.data", "2Mbps"}})), SettingError);
    EXPECT_THROW(ApplyChanges(Defaults(), Changes({{"can1.arbitration", "0x1"}})), SettingError);
    EXPECT_THROW(ApplyChanges(Defaults(), Changes({{"mask", "1.2.3"}})), SettingError);
}

TEST(QuarlinkSettings, AJsonRoundTripChangesNothing) {
    for (DeviceConfigRecord r : {Defaults(), Sample()}) {
        OrderedJson json = SettingsToJson(SettingsFromRecord(r), {0x02, 0x00, 0x00, 0x0A, 0x1B, 0xFF});
        EXPECT_EQ(json["mac"], "02-00-00-0A-1B-FF");
        SettingChanges back = SettingsFromJson(nlohmann::json::parse(json.dump()), "");
        DeviceConfigRecord other = Sample();
        other.Can = Defaults().Can;
        EXPECT_EQ(ApplyChanges(other, back), r); // every key came from the file
    }
    DeviceConfigRecord none = Defaults();
    none.Can[1].DataBaudrateIndex = 200;
    OrderedJson json = SettingsToJson(SettingsFromRecord(none), {});
    EXPECT_TRUE(json["can1.data"].is_null());
    EXPECT_EQ(json["dev-port"], 4000);
    // As the window does with no item selected: 0xFF goes out.
    EXPECT_EQ(ApplyChanges(Defaults(), SettingsFromJson(nlohmann::json::parse(json.dump()), ""))
                  .Can[1]
                  .DataBaudrateIndex,
              0xFF);
}

TEST(QuarlinkSettings, AFileHoldsOneDeviceOrSeveralByHost) {
    std::string one =
        WriteFile("one.json", R"({"mac": "02-00-00-0A-1B-FF", "dev-port": 4321, "host-port": "$12C0"})");
    SettingChanges changes = SettingsFile(one).For("anyone");
    EXPECT_EQ(changes[*FindSetting("dev-port")], "4321");
    EXPECT_EQ(changes[*FindSetting("host-port")], "$12C0");
    EXPECT_FALSE(changes[*FindSetting("mask")]);

    std::string several =
        WriteFile("several.json", R"({"127.0.0.2": {"dev-port": 1}, "127.0.0.3": {"dev-port": 2}})");
    EXPECT_EQ(SettingsFile(several).For("127.0.0.3")[*FindSetting("dev-port")], "2");
    EXPECT_THROW(SettingsFile(several).For("127.0.0.4"), SettingError);
}

TEST(QuarlinkSettings, ABadFileIsRefusedNamingWhatIsWrong) {
    const std::pair<const char*, const char*> bad[] = {
        {"{", "not JSON"},
        {"[]", "expected an object"},
        {"{}", "expected an object"},
        {R"({"dev-prot": 1})", "'dev-prot' is not a settings key"},
        {R"({"dev-port": true})", "dev-port: true is neither a whole number nor text"},
        {R"({"dev-port": 1.5})", "dev-port: 1.5 is neither a whole number nor text"},
        {R"({"dev-port": 4294967296})", "dev-port: '4294967296' is not a valid integer value"},
        {R"({"mask": 4})", "mask: 4 is not text"},
        {R"({"mask": null})", "mask: null is not text"},
        {R"({"can0.data": ""})", "can0.data: no value"},
        {R"({"can0.arbitration": "1Mbps"})", "can0.arbitration and can0.data"},
        {R"({"mac": "02-00"})", "mac: \"02-00\" is not a MAC address"},
        {R"({"127.0.0.2": {"gateway": "1.2.3"}})", "127.0.0.2: gateway: '1.2.3' is not four numbers"},
    };
    for (auto [text, problem] : bad) {
        std::string message = FileRefusal(text);
        EXPECT_NE(message.find(problem), std::string::npos) << text << ": " << message;
        EXPECT_EQ(message.rfind(testing::TempDir(), 0), 0u) << "names the file: " << message;
    }
    EXPECT_EQ(FileRefusal(R"({"can0.arbitration": null, "can0.data": "预留7"})"), "(accepted)");
}
