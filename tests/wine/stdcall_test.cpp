// What a 32-bit host relies on in every call into the DLL: the callee takes its own arguments
// off the stack (stdcall). Each export, the class factory, and every method of both dual
// interfaces, as their type information lists them, is called from a stub that measures the
// stack pointer around the call; a method compiled with another convention leaves it moved,
// which in a host would corrupt the caller's frame. (x86-64 has one convention.)

#include <cstdint>
#include <string>
#include <vector>

#include "type_info_walk.h"
#include "window_watch.h"

// Calls `function` with `count` 32-bit words pushed as its arguments, the first one last (on top),
// on a 16-byte-aligned stack; `*moved` receives how far the stack pointer is from where a callee
// that removed exactly its arguments leaves it (0 for stdcall, -4 * count for cdecl): the end of
// the copied words, where the copy leaves %edi, which every convention preserves.
extern "C" std::uint32_t CallMeasuringStack(const void* function, const std::uint32_t* words,
                                            std::uint32_t count, std::int32_t* moved);
asm(R"(
  .text
  .globl _CallMeasuringStack
_CallMeasuringStack:
  pushl %ebp
  movl %esp, %ebp
  pushl %esi
  pushl %edi
  movl 12(%ebp), %esi
  movl 16(%ebp), %ecx
  leal (,%ecx,4), %eax
  subl %eax, %esp
  andl $-16, %esp
  movl %esp, %edi
  cld
  rep movsl
  call *8(%ebp)
  movl %esp, %ecx
  subl %edi, %ecx
  movl 20(%ebp), %edx
  movl %ecx, (%edx)
  leal -8(%ebp), %esp
  popl %edi
  popl %esi
  popl %ebp
  ret
)");

namespace tesk::wine_test {
namespace {

static_assert(sizeof(void*) == 4, "the stack discipline of 32-bit Windows");

// Every text names a key no test has, so that the registry operations change nothing.
const std::wstring kText = L"HKEY_CURRENT_USER\\Software\\TeskLumoraLibStdcall";

std::uint32_t Word(const void* pointer) { return reinterpret_cast<std::uint32_t>(pointer); }

// Calls a function through the stub; the call fails the test when it moves the stack.
std::uint32_t CallStdcall(const std::string& what, const void* function,
                          std::vector<std::uint32_t> words) {
  std::int32_t moved = 0;
  const std::uint32_t result = CallMeasuringStack(
      function, words.data(), static_cast<std::uint32_t>(words.size()), &moved);
  EXPECT_EQ(moved, 0) << what << " left the stack moved by " << moved << " bytes";
  return result;
}

// The method in virtual-table slot `slot` of `object`, called with `words` after `this`.
HRESULT CallMethod(const std::string& what, IUnknown* object, UINT slot,
                   std::vector<std::uint32_t> words) {
  const void* const* table = *reinterpret_cast<const void* const* const*>(object);
  words.insert(words.begin(), Word(object));
  return static_cast<HRESULT>(CallStdcall(what, table[slot], std::move(words)));
}

class Stdcall : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_ = LoadLibraryW(DllPath().c_str());
    ASSERT_NE(module_, nullptr);
  }
  static void TearDownTestSuite() { FreeLibrary(module_); }

  static const void* Export(const char* name) {
    const void* function = reinterpret_cast<const void*>(GetProcAddress(module_, name));
    EXPECT_NE(function, nullptr) << name;
    return function;
  }
  static HRESULT CallExport(const char* name, std::vector<std::uint32_t> words) {
    return static_cast<HRESULT>(CallStdcall(name, Export(name), std::move(words)));
  }

  // An object of the class through the factory's virtual table, as CoCreateInstance does it.
  static ComPtr<IDispatch> Create(const CLSID& clsid) {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(CallExport("DllGetClassObject",
                         {Word(&clsid), Word(&IID_IClassFactory), Word(&factory)}), S_OK);
    ComPtr<IDispatch> object;
    if (!factory) return object;
    EXPECT_EQ(CallMethod("IClassFactory::LockServer", factory, 4, {TRUE}), S_OK);
    EXPECT_EQ(CallMethod("IClassFactory::CreateInstance", factory, 3,
                         {0, Word(&IID_IDispatch), Word(object.GetAddressOf())}), S_OK);
    EXPECT_EQ(CallMethod("IClassFactory::LockServer", factory, 4, {FALSE}), S_OK);
    factory->Release();
    return object;
  }

  static inline HMODULE module_ = nullptr;
};

// Registered machine-wide and per user and unregistered again, as regsvr32 does: nothing is
// left registered.
TEST_F(Stdcall, TheExportsTakeTheirOwnArguments) {
  EXPECT_EQ(CallExport("DllRegisterServer", {}), S_OK);
  EXPECT_EQ(CallExport("DllUnregisterServer", {}), S_OK);
  EXPECT_EQ(CallExport("DllInstall", {TRUE, Word(L"user")}), S_OK);
  EXPECT_EQ(CallExport("DllInstall", {FALSE, Word(L"user")}), S_OK);
  EXPECT_EQ(CallExport("DllCanUnloadNow", {}), S_OK);
  ComPtr<IDispatch> object = Create(CLSID_ClsInfo);
  EXPECT_EQ(CallExport("DllCanUnloadNow", {}), S_FALSE);
}

// IUnknown's and IDispatch's methods, then each operation with well-formed arguments, on both
// classes; the windows the operations show are closed as they appear.
TEST_F(Stdcall, EveryMethodOfBothInterfacesTakesItsOwnArguments) {
  const UpdateServerSetting deadServer(L"http://127.0.0.1:9");
  const LibraryWindowCloser closer;
  for (const CLSID* clsid : {&CLSID_ClsInfo, &CLSID_clsNewRegLib}) {
    ComPtr<IDispatch> object = Create(*clsid);
    ASSERT_TRUE(object);
    IUnknown* unknown = nullptr;
    EXPECT_EQ(CallMethod("QueryInterface", object.Get(), 0,
                         {Word(&IID_IUnknown), Word(&unknown)}), S_OK);
    EXPECT_EQ(CallMethod("Release", unknown, 2, {}), 1);
    EXPECT_EQ(CallMethod("AddRef", object.Get(), 1, {}), 2);
    object->Release();
    UINT count = 0;
    EXPECT_EQ(CallMethod("GetTypeInfoCount", object.Get(), 3, {Word(&count)}), S_OK);
    ComPtr<ITypeInfo> typeInfo;
    EXPECT_EQ(CallMethod("GetTypeInfo", object.Get(), 4,
                         {0, LOCALE_USER_DEFAULT, Word(typeInfo.GetAddressOf())}), S_OK);
    const std::vector<Method> methods = MethodsOf(VtableInfo(object.Get()).Get());
    ASSERT_FALSE(methods.empty());
    DISPID id = DISPID_UNKNOWN;
    const wchar_t* names[] = {methods.back().name.c_str()};
    EXPECT_EQ(CallMethod("GetIDsOfNames", object.Get(), 5,
                         {Word(&IID_NULL), Word(names), 1, LOCALE_USER_DEFAULT, Word(&id)}), S_OK);
    WellFormedArguments byName(methods.back(), kText);
    DISPPARAMS params = byName.LateBound();
    Variant result;
    CallMethod("Invoke", object.Get(), 6, {static_cast<std::uint32_t>(id), Word(&IID_NULL),
                                           LOCALE_USER_DEFAULT, DISPATCH_METHOD, Word(&params),
                                           Word(&result), 0, 0});

    for (const Method& method : methods) {
      WellFormedArguments byTable(method, kText);
      std::vector<std::uint32_t> words;
      for (const VARIANTARG& value : byTable.Values()) words.push_back(V_UI4(&value));
      CallMethod(Narrow(method.name), object.Get(), method.slot, words);
    }
  }
  EXPECT_GT(LibraryWindowCloser::windows, 0);
  EXPECT_TRUE(LibraryWindowCloser::strangers.empty());
}

}  // namespace
}  // namespace tesk::wine_test
