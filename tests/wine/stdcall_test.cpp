// What a 32-bit host relies on in every call into the DLL: the callee takes its own arguments
// off the stack (stdcall). Each export, the class factory, and every method of both dual
// interfaces through the virtual table and through IDispatch is called from a stub that
// measures the stack pointer around the call; a method compiled with another convention leaves
// it moved, which in a host would corrupt the caller's frame. (x86-64 has one convention.)

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "window_watch.h"

// Calls `function` with `count` 32-bit words pushed as its arguments, the first one last (on top),
// on a 16-byte-aligned stack; `*moved` receives how far the stack pointer is from where a callee
// that removed exactly its arguments leaves it (0 for stdcall, -4 * count for cdecl).
extern "C" std::uint32_t CallMeasuringStack(const void* function, const std::uint32_t* words,
                                            std::uint32_t count, std::int32_t* moved);
asm(R"(
  .text
  .globl _CallMeasuringStack
_CallMeasuringStack:
  pushl %ebp
  movl %esp, %ebp
  pushl %ebx
  pushl %esi
  pushl %edi
  movl %esp, %ebx
  movl 12(%ebp), %esi
  movl 16(%ebp), %ecx
  leal (,%ecx,4), %eax
  subl %eax, %esp
  andl $-16, %esp
  movl %esp, %edi
1:
  testl %ecx, %ecx
  jz 2f
  decl %ecx
  movl (%esi,%ecx,4), %edx
  movl %edx, (%edi,%ecx,4)
  jmp 1b
2:
  call *8(%ebp)
  movl %esp, %ecx
  subl %edi, %ecx
  movl 16(%ebp), %edx
  shll $2, %edx
  subl %edx, %ecx
  movl 20(%ebp), %edx
  movl %ecx, (%edx)
  movl %ebx, %esp
  popl %edi
  popl %esi
  popl %ebx
  popl %ebp
  ret
)");

namespace tesk::wine_test {
namespace {

static_assert(sizeof(void*) == 4, "the stack discipline of 32-bit Windows");

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

std::string Narrow(const wchar_t* text) {
  std::string narrow;
  for (; text && *text; ++text) narrow += static_cast<char>(*text);
  return narrow;
}

// An argument for each parameter type of the interfaces, as stack words for the virtual table
// and as a variant for IDispatch, made for one call and released after it. Every text names a
// key no test has, so that the registry operations change nothing.
class Arguments {
 public:
  ~Arguments() {
    for (BSTR text : texts_) SysFreeString(text);
    for (VARIANT& result : results_) VariantClear(&result);
    for (SAFEARRAY* table : tables_) SafeArrayDestroy(table);
  }

  // False for a type there is no argument for.
  bool Add(const TYPEDESC& type) {
    const bool reference = type.vt == VT_PTR;
    switch (reference ? type.lptdesc->vt : type.vt) {
      case VT_BSTR:
        texts_.push_back(SysAllocString(L"HKEY_CURRENT_USER\\Software\\TeskLumoraLibStdcall"));
        return Push(reference, VT_BSTR, &texts_.back(), Word(texts_.back()));
      case VT_BOOL:
        flags_.push_back(VARIANT_FALSE);
        return Push(reference, VT_BOOL, &flags_.back(), VARIANT_FALSE);
      case VT_VARIANT:
        results_.emplace_back();
        VariantInit(&results_.back());
        return reference && Push(reference, VT_VARIANT, &results_.back(), 0);
      case VT_SAFEARRAY:
        tables_.push_back(TextTable({{L"File", L"Open", L"Ctrl+O"}}));
        return reference && Push(reference, VT_ARRAY | VT_BSTR, &tables_.back(), 0);
      default:
        return false;
    }
  }

  const std::vector<std::uint32_t>& Words() const { return words_; }
  // In IDispatch's order: the last argument first.
  DISPPARAMS Params() {
    return {variants_.data(), nullptr, static_cast<UINT>(variants_.size()), 0};
  }

 private:
  bool Push(bool reference, VARTYPE type, void* variable, std::uint32_t value) {
    words_.push_back(reference ? Word(variable) : value);
    VARIANT variant;
    V_VT(&variant) = static_cast<VARTYPE>(VT_BYREF | type);
    V_BYREF(&variant) = variable;
    variants_.insert(variants_.begin(), variant);
    return true;
  }

  std::deque<BSTR> texts_;
  std::deque<VARIANT_BOOL> flags_;
  std::deque<VARIANT> results_;
  std::deque<SAFEARRAY*> tables_;
  std::vector<std::uint32_t> words_;
  std::vector<VARIANT> variants_;
};

// The operations of an object's dual interface, as its type library describes them.
class Operations {
 public:
  explicit Operations(IDispatch* object) {
    ComPtr<ITypeInfo> dispatch;
    HREFTYPE dual = 0;
    EXPECT_EQ(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, &dispatch), S_OK);
    if (!dispatch || FAILED(dispatch->GetRefTypeOfImplType(-1, &dual)) ||
        FAILED(dispatch->GetRefTypeInfo(dual, &interface_))) {
      ADD_FAILURE() << "no virtual-table type information";
      return;
    }
    TYPEATTR* attributes = nullptr;
    interface_->GetTypeAttr(&attributes);
    count_ = attributes->cFuncs;
    interface_->ReleaseTypeAttr(attributes);
  }

  template <typename Visit>
  void ForEach(Visit visit) {
    for (UINT i = 0; i < count_; ++i) {
      FUNCDESC* function = nullptr;
      ASSERT_EQ(interface_->GetFuncDesc(i, &function), S_OK);
      BSTR name = nullptr;
      interface_->GetDocumentation(function->memid, &name, nullptr, nullptr, nullptr);
      visit(*function, Narrow(name));
      SysFreeString(name);
      interface_->ReleaseFuncDesc(function);
    }
  }

 private:
  ComPtr<ITypeInfo> interface_;
  UINT count_ = 0;
};

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

// IUnknown's and IDispatch's methods, then each operation with an argument of its types, on
// both classes; the windows the operations show are closed as they appear.
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

    Operations(object.Get()).ForEach([&](const FUNCDESC& function, const std::string& name) {
      Arguments byTable;
      for (SHORT i = 0; i < function.cParams; ++i) {
        ASSERT_TRUE(byTable.Add(function.lprgelemdescParam[i].tdesc))
            << name << ": no argument for parameter " << i;
      }
      CallMethod(name, object.Get(), function.oVft / sizeof(void*), byTable.Words());

      DISPID id = DISPID_UNKNOWN;
      BSTR member = SysAllocString(std::wstring(name.begin(), name.end()).c_str());
      EXPECT_EQ(CallMethod(name + " by name", object.Get(), 5,
                           {Word(&IID_NULL), Word(&member), 1, LOCALE_USER_DEFAULT, Word(&id)}),
                S_OK);
      SysFreeString(member);
      Arguments byName;
      for (SHORT i = 0; i < function.cParams; ++i) {
        const ELEMDESC& parameter = function.lprgelemdescParam[i];
        if (!(parameter.paramdesc.wParamFlags & PARAMFLAG_FRETVAL)) byName.Add(parameter.tdesc);
      }
      DISPPARAMS params = byName.Params();
      VARIANT result;
      VariantInit(&result);
      CallMethod(name + " through IDispatch::Invoke", object.Get(), 6,
                 {static_cast<std::uint32_t>(id), Word(&IID_NULL), LOCALE_USER_DEFAULT,
                  DISPATCH_METHOD, Word(&params), Word(&result), 0, 0});
      VariantClear(&result);
    });
  }
  EXPECT_GT(LibraryWindowCloser::windows, 0);
  EXPECT_TRUE(LibraryWindowCloser::strangers.empty());
}

}  // namespace
}  // namespace tesk::wine_test
