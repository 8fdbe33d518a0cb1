// TVorlixSharedData against the real mapping API: what it creates, when it
// refuses, and that every view and handle it took is given back.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "PeerProcess.h"
#include "TestPeer.h"
#include "shared/Win32Owner.h"
#include "shared/SharedStruct.h"

namespace {

// A block of its own for every test, so that no test (and no Vorlix running
// in the same session) sees another's.
std::string UniqueName() {
  static int counter = 0;
  return "VorlixTest_SharedBlock_" + std::to_string(GetCurrentProcessId()) + "_" +
         std::to_string(++counter);
}

// Whether any process still holds the block: the name goes with the last
// handle and view.
bool BlockExists(const std::string& name) {
  const TKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
  return static_cast<bool>(mapping);
}

// Whether nothing is mapped or allocated at address any more.
bool IsFree(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  if (VirtualQuery(address, &info, sizeof info) != sizeof info) return false;
  return info.State == MEM_FREE;
}

std::size_t PageRounded(std::size_t size) {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  const std::size_t page = system.dwPageSize;
  return (size + page - 1) / page * page;
}

// The size of the view that starts at view (a whole mapping, as Map takes it).
std::size_t MappedSize(const void* view) {
  MEMORY_BASIC_INFORMATION info{};
  if (VirtualQuery(view, &info, sizeof info) != sizeof info) return 0;
  return info.RegionSize;
}

bool IsZeroFilled(const TVorlixData& data) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&data);
  for (std::size_t i = 0; i < sizeof data; ++i)
    if (bytes[i] != 0) return false;
  return true;
}

TEST(SharedStructTest, NewObjectHoldsNothingAndCannotMap) {
  TVorlixSharedData shared;
  EXPECT_EQ(nullptr, shared.Data());
  EXPECT_FALSE(shared.Map());
  EXPECT_EQ(nullptr, shared.Data());
}

TEST(SharedStructTest, CreatesAZeroFilledBlockOfTheRecordSize) {
  const std::string name = UniqueName();
  TVorlixSharedData shared;
  ASSERT_TRUE(shared.Create(name.c_str()));
  EXPECT_EQ(nullptr, shared.Data()) << "Create alone maps nothing";
  ASSERT_TRUE(shared.Map());
  ASSERT_NE(nullptr, shared.Data());
  EXPECT_TRUE(IsZeroFilled(*shared.Data()));
  // The system rounds a mapping up to whole pages, so the 284 bytes show
  // only as one page, of which the whole record is usable.
  EXPECT_EQ(PageRounded(sizeof(TVorlixData)), MappedSize(shared.Data()));
  shared.Data()->PrevFocusWnd = 0x12345678u;

  // A view of exactly the record, as the other deliverable may take it.
  const TKernelHandle mapping(OpenFileMappingA(FILE_MAP_READ, FALSE, name.c_str()));
  ASSERT_TRUE(mapping);
  const TMappedView exact(MapViewOfFile(mapping.Get(), FILE_MAP_READ, 0, 0, 284));
  ASSERT_TRUE(exact);
  EXPECT_EQ(0x12345678u, static_cast<const TVorlixData*>(exact.Get())->PrevFocusWnd);
}

// A record of several pages shows that the mapping is as large as the
// record, where the page rounding hides it for TVorlixData.
struct TLargeRecord {
  unsigned char Bytes[3 * 4096 + 1];
};

TEST(SharedStructTest, MappingIsAsLargeAsTheRecord) {
  SharedStruct<TLargeRecord> shared;
  ASSERT_TRUE(shared.Create(UniqueName().c_str()));
  ASSERT_TRUE(shared.Map());
  ASSERT_EQ(PageRounded(sizeof(TLargeRecord)), MappedSize(shared.Data()));
  shared.Data()->Bytes[sizeof(TLargeRecord) - 1] = 0xA5;
  EXPECT_EQ(0xA5, shared.Data()->Bytes[sizeof(TLargeRecord) - 1]);
}

TEST(SharedStructTest, CreateOnAnObjectThatHoldsAMappingFailsAndKeepsIt) {
  const std::string name = UniqueName();
  TVorlixSharedData shared;
  ASSERT_TRUE(shared.Create(name.c_str()));
  ASSERT_TRUE(shared.Map());
  shared.Data()->MainWnd = 7;

  EXPECT_FALSE(shared.Create(name.c_str()));
  EXPECT_FALSE(shared.Create(UniqueName().c_str()));

  // Mapping again goes through the handle held: still the first block.
  ASSERT_TRUE(shared.Map());
  EXPECT_EQ(7u, shared.Data()->MainWnd);
}

TEST(SharedStructTest, SecondObjectOfTheSameNameSharesTheBlock) {
  const std::string name = UniqueName();
  TVorlixSharedData first;
  TVorlixSharedData second;
  ASSERT_TRUE(first.Create(name.c_str()));
  ASSERT_TRUE(second.Create(name.c_str())) << "an existing mapping is opened";
  EXPECT_EQ(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
  ASSERT_TRUE(first.Map());
  ASSERT_TRUE(second.Map());
  ASSERT_NE(first.Data(), second.Data()) << "two views of one block";

  first.Data()->MainWnd = 0x00010203u;
  std::strcpy(first.Data()->ModuleName, "C:\\Program Files\\App\\APP.EXE");
  second.Data()->PrevFocusWnd = 0x000A0B0Cu;
  EXPECT_EQ(0x00010203u, second.Data()->MainWnd);
  EXPECT_STREQ("C:\\Program Files\\App\\APP.EXE", second.Data()->ModuleName);
  EXPECT_EQ(0x000A0B0Cu, first.Data()->PrevFocusWnd);

  // The block lives while either holds it.
  first.Close();
  EXPECT_EQ(0x00010203u, second.Data()->MainWnd);
  EXPECT_TRUE(BlockExists(name));
}

TEST(SharedStructTest, MapAgainReleasesTheOldView) {
  TVorlixSharedData shared;
  ASSERT_TRUE(shared.Create(UniqueName().c_str()));
  ASSERT_TRUE(shared.Map());
  shared.Data()->MainWnd = 99;
  const void* const oldView = shared.Data();

  ASSERT_TRUE(shared.Map());
  ASSERT_NE(nullptr, shared.Data());
  EXPECT_EQ(99u, shared.Data()->MainWnd);
  // The system may place the new view where the old one was; anywhere else
  // the old address must be free again.
  MEMORY_BASIC_INFORMATION info{};
  ASSERT_EQ(sizeof info, VirtualQuery(oldView, &info, sizeof info));
  EXPECT_TRUE(info.State == MEM_FREE || info.AllocationBase == shared.Data())
      << "the first view is still mapped";
}

TEST(SharedStructTest, UnmapReleasesTheViewButKeepsTheBlock) {
  TVorlixSharedData shared;
  ASSERT_TRUE(shared.Create(UniqueName().c_str()));
  ASSERT_TRUE(shared.Map());
  shared.Data()->MainWnd = 42;
  const void* const view = shared.Data();

  shared.Unmap();
  EXPECT_EQ(nullptr, shared.Data());
  EXPECT_TRUE(IsFree(view));
  shared.Unmap();  // nothing left to release
  EXPECT_EQ(nullptr, shared.Data());

  ASSERT_TRUE(shared.Map()) << "the handle is still held";
  EXPECT_EQ(42u, shared.Data()->MainWnd);
}

TEST(SharedStructTest, CloseReleasesViewAndHandle) {
  const std::string name = UniqueName();
  TVorlixSharedData shared;
  ASSERT_TRUE(shared.Create(name.c_str()));
  ASSERT_TRUE(shared.Map());
  shared.Data()->MainWnd = 5;
  const void* const view = shared.Data();

  shared.Close();
  EXPECT_EQ(nullptr, shared.Data());
  EXPECT_TRUE(IsFree(view));
  EXPECT_FALSE(shared.Map());
  EXPECT_FALSE(BlockExists(name));
  shared.Close();  // nothing left to release

  // Closed, the object can create again; the old block is gone.
  ASSERT_TRUE(shared.Create(name.c_str()));
  ASSERT_TRUE(shared.Map());
  EXPECT_TRUE(IsZeroFilled(*shared.Data()));
}

TEST(SharedStructTest, DestructorReleasesViewAndHandle) {
  const std::string name = UniqueName();
  const void* view = nullptr;
  {
    TVorlixSharedData shared;
    ASSERT_TRUE(shared.Create(name.c_str()));
    ASSERT_TRUE(shared.Map());
    view = shared.Data();
  }
  EXPECT_TRUE(IsFree(view));
  EXPECT_FALSE(BlockExists(name));
}

TEST(SharedStructTest, FailedCreateLeavesTheObjectEmpty) {
  // A name already taken by an object of another kind cannot be a mapping.
  const std::string name = UniqueName();
  const TKernelHandle mutex(CreateMutexA(nullptr, FALSE, name.c_str()));
  ASSERT_TRUE(mutex);

  TVorlixSharedData shared;
  EXPECT_FALSE(shared.Create(name.c_str()));
  EXPECT_FALSE(shared.Map());
  EXPECT_EQ(nullptr, shared.Data());
  EXPECT_TRUE(shared.Create(UniqueName().c_str())) << "no handle was kept";
}

TEST(SharedStructTest, AnotherProcessSeesTheSameBlock) {
  const std::string name = UniqueName();
  TVorlixSharedData shared;
  ASSERT_TRUE(shared.Create(name.c_str()));
  ASSERT_TRUE(shared.Map());
  shared.Data()->MainWnd = 0x0001F00Du;

  DWORD exitCode = 0;
  ASSERT_TRUE(RunPeer(std::string(PeerModeExchange) + " " + name, exitCode))
      << "cannot run " << PeerPath();
  // The peer exits with the MainWnd it read, and writes back.
  EXPECT_EQ(0x0001F00Du, exitCode);
  EXPECT_EQ(PeerPrevFocusWnd, shared.Data()->PrevFocusWnd);
  EXPECT_EQ(0, lstrcmpiA(PeerPath().c_str(), shared.Data()->ModuleName))
      << shared.Data()->ModuleName;
}

}  // namespace
