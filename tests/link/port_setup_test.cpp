// Choosing the port: the list, the stored choice and what picking an item does.
#include "link/port_setup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fakes/memory_settings.h"
#include "fakes/temp_folder.h"
#include "link_rig.h"

namespace {

using linktest::LinkRig;

std::string Stored(fakes::MemorySettings& settings) {
  return settings.GetSetting("Ventrel", "Properties", "CommPort", "(none)");
}

TEST(PortList, HasTheComPortsThenTheOtherDetectedDevices) {
  const auto items = comm::PortList({"/dev/ttyS0", "/dev/ttyUSB0", "/dev/ttyS4", "/dev/ttyACM1"});
  ASSERT_EQ(items.size(), 257u);
  EXPECT_EQ(items[0], "Com1");
  EXPECT_EQ(items[254], "Com255");
  EXPECT_EQ(items[255], "/dev/ttyUSB0");
  EXPECT_EQ(items[256], "/dev/ttyACM1");
}

TEST(PortChoice, StoredValuesAreTakenOrFallBackToComOne) {
  const fakes::TempFolder folder;
  const std::filesystem::path device = folder.Write("ventrel-tty-test", "");
  struct Case {
    std::string stored;
    std::int16_t number;
    std::string path;
  };
  for (const Case& c :
       {Case{"3", 3, ""}, Case{"255", 255, ""}, Case{"0", 1, ""}, Case{"256", 1, ""},
        Case{"COM3", 1, ""}, Case{device.string(), 1, device.string()},
        Case{"/dev/ventrel-no-such-device", 1, ""}}) {
    LinkRig rig;
    fakes::MemorySettings settings;
    settings.SaveSetting("Ventrel", "Properties", "CommPort", c.stored);
    comm::LoadPortChoice(rig.link, settings);
    EXPECT_EQ(rig.link.CommPortNumber, c.number) << c.stored;
    EXPECT_EQ(rig.link.CommPortPath, c.path) << c.stored;
  }
}

TEST(PortChoice, PickingAPortClosesTheOpenOneStoresItAndTheNextCommandOpensIt) {
  const struct {
    const char* text;
    const char* stored;
    const char* item;
    const char* device;
  } cases[] = {
      {"Com12", "12", "Com12", "/dev/ttyS11"},
      {"/dev/pts/7", "/dev/pts/7", "/dev/pts/7", "/dev/pts/7"},
      // A Com port typed by its device is that Com port.
      {"/dev/ttyS2", "3", "Com3", "/dev/ttyS2"},
  };
  for (const auto& c : cases) {
    LinkRig rig;
    fakes::MemorySettings settings;
    comm::LoadPortChoice(rig.link, settings);
    ASSERT_TRUE(rig.link.ReSync());
    EXPECT_TRUE(comm::SelectPort(rig.link, settings, rig.host, c.text)) << c.text;
    EXPECT_FALSE(rig.port.IsOpen()) << c.text;
    EXPECT_EQ(Stored(settings), c.stored);
    EXPECT_EQ(comm::PortItem(rig.link), c.item);
    rig.link.ReSync();
    EXPECT_EQ(rig.port.Port(), c.device);
  }
}

TEST(PortChoice, TextThatNamesNoPortIsRefusedAndChangesNothing) {
  LinkRig rig;
  fakes::MemorySettings settings;
  rig.link.CommPortNumber = 4;
  for (const char* text : {"Com0", "Com256", "usb"}) {
    rig.host.ExpectBox(core::Answer::OK);
    EXPECT_FALSE(comm::SelectPort(rig.link, settings, rig.host, text)) << text;
  }
  EXPECT_EQ(rig.link.CommPortNumber, 4);
  EXPECT_TRUE(settings.values.empty());
  EXPECT_EQ(rig.host.boxes.at(0).title, "Port Setup");
}

}  // namespace
