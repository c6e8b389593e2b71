// The driver as the host meets it: the library loaded at run time by its file name, ZelMain
// found by its plain name and called through that pointer for a cold start, a parse, a write
// and a read back.
#include <cstring>
#include <string>

#include "host_fixture.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

ZelMainFunction LoadZelMain() {
#if defined(_WIN32)
  HMODULE library = LoadLibraryA(ZELSTR_LIBRARY_NAME);
  if (library == nullptr) return nullptr;
  return reinterpret_cast<ZelMainFunction>(
      reinterpret_cast<void*>(GetProcAddress(library, "ZelMain")));
#else
  const std::string path = std::string(ZELSTR_LIBRARY_DIR) + "/" + ZELSTR_LIBRARY_NAME;
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return nullptr;
  return reinterpret_cast<ZelMainFunction>(dlsym(library, "ZelMain"));
#endif
}

}  // namespace

ZelMainFunction DriverEntry() {
  static const ZelMainFunction entry = LoadZelMain();
  return entry;
}

namespace {

class LoadTest : public HostTest {};

TEST_F(LoadTest, ColdStartParseWriteAndReadThroughTheLoadedLibrary) {
  ASSERT_NE(DriverEntry(), nullptr) << "ZelMain not found in " << ZELSTR_LIBRARY_NAME;
  WriteFile("ZELSTR07.INT", "* target 3 keeps 32-bit words high half first\r\nGASLENGTH=6\r\n3 = 3\r\n\x1A");
  ASSERT_EQ(OrlSimInstall(3, 4, 0), 0);
  uint8_t* memory = OrlSimAddArea(3, "DB1", 16);
  ASSERT_NE(memory, nullptr);

  ASSERT_EQ(ColdStart(7), 0);
  EXPECT_EQ(MessagesAfterStamp(), std::vector<HostMessage>{});
  EXPECT_EQ(instance_.gasLength, 6);

  GateDefinition gate{};
  gate.addressString = "DB1   03124";
  gate.gateType = ZEL_GATE_TYPE_STRING;
  ASSERT_EQ(Call(3, &gate), 0);
  EXPECT_EQ(gate.targetNumber, 3u);
  EXPECT_EQ(gate.sizeWord, 0x0004000Cu);

  GateAccess access{};
  access.addressString = gate.addressString;
  access.targetNumber = gate.targetNumber;
  access.sizeWord = gate.sizeWord;
  char value[ZEL_VALUE_BUFFER_SIZE] = "Github rules";
  access.valueBuffer = value;
  ASSERT_EQ(Call(7, &access), 0);
  EXPECT_STREQ(value, "Github rules");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(memory), 12), "htiGr buselu");

  char readBack[ZEL_VALUE_BUFFER_SIZE];
  std::memset(readBack, 'x', sizeof(readBack));
  access.valueBuffer = readBack;
  ASSERT_EQ(Call(5, &access), 0);
  EXPECT_STREQ(readBack, "Github rules");

  DriverInfo info{};
  EXPECT_EQ(Call(14, &info), 0);
  EXPECT_STREQ(info.nameBlock, "String gates communication drv");
  EXPECT_EQ(Call(17), 2);
}

}  // namespace
