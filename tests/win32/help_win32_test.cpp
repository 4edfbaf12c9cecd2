// The compiled help beside the program: it opens as a compiled help file,
// and holds every page its contents name.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <set>

#include "fakes/app_harness.h"
#include "win32/running_program.h"

namespace corvanta {
namespace {

// The HTML Help storage (itss.dll), as the help viewer opens a .chm.
const CLSID kItStorage = {
    0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
const IID kIItStorage = {
    0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
// Its interface, as far as this test calls it.
struct ItStorage;
struct ItStorageCalls {
  HRESULT(STDMETHODCALLTYPE* QueryInterface)(ItStorage*, REFIID, void**);
  ULONG(STDMETHODCALLTYPE* AddRef)(ItStorage*);
  ULONG(STDMETHODCALLTYPE* Release)(ItStorage*);
  void* createAndTest[4];
  HRESULT(STDMETHODCALLTYPE* StgOpenStorage)
  (ItStorage*, const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**);
};
struct ItStorage {
  const ItStorageCalls* calls;
};

std::wstring wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

TEST(Help, TheHelpFileOpensAndHoldsEveryPageItsContentsName) {
  // Every page the contents tree names.
  const std::string contents = testing::readSourceFile("help/contents.hhc");
  std::set<std::string> pages;
  const std::string marker = "name=\"Local\" value=\"";
  for (std::size_t at = contents.find(marker); at != std::string::npos;
       at = contents.find(marker, at + 1)) {
    const std::size_t start = at + marker.size();
    const std::string local = contents.substr(start, contents.find('"', start) - start);
    pages.insert(local.substr(0, local.find('#')));
  }
  ASSERT_GT(pages.size(), 10u);

  std::string help = testing::programPath();
  help.replace(help.find_last_of('\\') + 1, std::string::npos, "newhelp.chm");
  // The thread may be in an apartment already: the windows answering a
  // screen reader keep one.
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  ItStorage* storage = nullptr;
  ASSERT_EQ(S_OK, CoCreateInstance(kItStorage, nullptr, CLSCTX_INPROC_SERVER, kIItStorage,
                                   reinterpret_cast<void**>(&storage)));
  IStorage* file = nullptr;
  ASSERT_EQ(S_OK,
            storage->calls->StgOpenStorage(storage, wide(help).c_str(), nullptr,
                                           STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &file))
      << help;
  for (const std::string& page : pages) {
    IStream* stream = nullptr;
    EXPECT_EQ(S_OK, file->OpenStream(wide(page).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                     0, &stream))
        << page;
    if (stream) stream->Release();
  }
  IStream* missing = nullptr;
  EXPECT_NE(S_OK, file->OpenStream(L"no-such-page.html", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE,
                                   0, &missing));
  file->Release();
  storage->calls->Release(storage);
  CoUninitialize();
}

}  // namespace
}  // namespace corvanta
