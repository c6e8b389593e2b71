// The driver allocates nothing: this binary counts every malloc, calloc, realloc, aligned
// allocation and operator new while one ZelMain call runs, for every function code. The only
// allocations allowed are ColdStart's opening and reading of the INT file by the C library,
// which are compared with the same file operations done by hand.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "host_fixture.h"

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* pointer, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* pointer);
}

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
std::atomic<long> news{0};

void Count(std::atomic<long>& counter) {
  if (counting.load(std::memory_order_relaxed)) counter.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

extern "C" {
void* malloc(size_t size) {
  Count(allocations);
  return __libc_malloc(size);
}
void* calloc(size_t count, size_t size) {
  Count(allocations);
  return __libc_calloc(count, size);
}
void* realloc(void* pointer, size_t size) {
  Count(allocations);
  return __libc_realloc(pointer, size);
}
void* memalign(size_t alignment, size_t size) {
  Count(allocations);
  return __libc_memalign(alignment, size);
}
void* aligned_alloc(size_t alignment, size_t size) {
  Count(allocations);
  return __libc_memalign(alignment, size);
}
int posix_memalign(void** pointer, size_t alignment, size_t size) {
  Count(allocations);
  *pointer = __libc_memalign(alignment, size);
  return *pointer == nullptr ? ENOMEM : 0;
}
void free(void* pointer) { __libc_free(pointer); }
}

void* operator new(std::size_t size) {
  Count(news);
  if (void* pointer = __libc_malloc(size == 0 ? 1 : size)) return pointer;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  Count(news);
  return __libc_malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void operator delete(void* pointer) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer) noexcept { __libc_free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { __libc_free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { __libc_free(pointer); }

namespace {

struct Counted {
  long allocations;
  long news;
};

template <typename Work>
Counted CountDuring(Work work) {
  allocations = 0;
  news = 0;
  counting = true;
  work();
  counting = false;
  return {allocations.load(), news.load()};
}

class HeapTest : public HostTest {};

TEST_F(HeapTest, NoFunctionCodeButColdStartAllocates) {
  ASSERT_EQ(OrlSimInstall(3, 2, 0), 0);
  ASSERT_NE(OrlSimAddArea(3, "AB12", 80), nullptr);
  instance_.gasLength = 8;
  instance_.swapTable[3] = 1;
  GateDefinition gate{};
  gate.addressString = "AB12    03202";
  gate.gateType = ZEL_GATE_TYPE_STRING;
  GateDefinition badGate = gate;
  badGate.addressString = "AB12    99202";
  char value[ZEL_VALUE_BUFFER_SIZE] = "Github rules";
  GateAccess access{};
  access.addressString = gate.addressString;
  access.targetNumber = 3;
  access.sizeWord = 0x00020014u;
  access.valueBuffer = value;
  GateAccess failing = access;
  failing.targetNumber = 9;  // not installed: a failure with its message
  DriverInfo info{};
  struct Case {
    const char* id;
    uint32_t code;
    void* subject;
  } const cases[] = {
      {"0", 0, nullptr},          {"2", 2, nullptr},          {"parse", 3, &gate},
      {"parse refused", 3, &badGate}, {"4", 4, nullptr},      {"write", 7, &access},
      {"read", 5, &access},       {"failed read", 5, &failing}, {"failed write", 7, &failing},
      {"6", 6, nullptr},          {"8", 8, nullptr},          {"9", 9, nullptr},
      {"10", 10, nullptr},        {"11", 11, nullptr},        {"12", 12, nullptr},
      {"13", 13, nullptr},        {"info", 14, &info},        {"15", 15, nullptr},
      {"16", 16, nullptr},        {"17", 17, nullptr},        {"all bits", 0xFFFFFFFFu, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    int32_t result = -1;
    const Counted counted = CountDuring([&] { result = Call(c.code, c.subject); });
    EXPECT_NE(result, -1);
    EXPECT_EQ(counted.allocations, 0);
    EXPECT_EQ(counted.news, 0);
  }
}

// The C library's part of a cold start: the three names tried, the one that exists read in
// chunks to its end, then closed.
Counted FileOperationsByHand() {
  return CountDuring([] {
    for (const char* name : {"ZELSTR02.INT", "ZELSTR2.INT", "ZELSTR.INT"}) {
      std::FILE* file = std::fopen(name, "rb");
      if (file == nullptr) continue;
      char chunk[4096];
      while (std::fread(chunk, 1, sizeof(chunk), file) > 0) {
      }
      std::fclose(file);
    }
  });
}

TEST_F(HeapTest, ColdStartAllocatesOnlyForTheFileReading) {
  for (bool present : {false, true}) {
    SCOPED_TRACE(present ? "with ZELSTR.INT" : "without an INT file");
    StartCase();
    if (present) WriteFile("ZELSTR.INT", "* plant\r\nGASLENGTH=12\r\n3 = 1\r\nbad line\r\n");
    const Counted byHand = FileOperationsByHand();
    const Counted coldStart = CountDuring([&] { EXPECT_EQ(ColdStart(), 0); });
    EXPECT_GT(byHand.allocations, 0) << "the count sees the C library's allocations";
    EXPECT_EQ(coldStart.news, 0);
    EXPECT_EQ(coldStart.allocations, byHand.allocations);
    EXPECT_EQ(instance_.gasLength, present ? 12 : 8);
  }
}

}  // namespace
