// Both classes driven with calls no host should make, from a fixed seed: tens of thousands of
// late-bound calls to the members their type information lists, with random argument counts,
// types, names and flags, each of which must come back; then each table parameter given a table
// of no text and, through the virtual tables, each pointer parameter NULL in turn; and then every
// operation once more, well-formed, on the same objects.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "type_info_walk.h"
#include "window_watch.h"

namespace tesk::wine_test {
namespace {

constexpr std::uint32_t kSeed = 0x7E5C1u;
constexpr int kCalls = 50000;
constexpr double kSecondsAllowed = 120;
const std::wstring kKey = L"Software\\TeskLumoraLibFuzz";
const std::wstring kKeyPath = L"HKEY_CURRENT_USER\\" + kKey;
constexpr wchar_t kStale[] = L"an earlier call's error";
// The operations that show a window. Closing one costs about two seconds under Wine without a
// window manager, so each shows two at most.
const std::set<std::wstring> kWindowOperations = {
    L"ShowAboutUs", L"ShowWhatNew", L"ShowShortcutKeysForm", L"ShowShortcutKey",
    L"ShowReportABug"};
constexpr int kWindowsPerOperation = 2;
// Ids no operation has besides the neighbours of real ones: reserved ones, and the members of
// IUnknown and IDispatch, which the interfaces' type information inherits.
constexpr DISPID kOtherIds[] = {
    DISPID_VALUE, DISPID_UNKNOWN, DISPID_PROPERTYPUT, DISPID_NEWENUM, DISPID_EVALUATE, 0x60000000,
    0x60000001, 0x60000002, 0x60010000, 0x60010001, 0x60010002, 0x60010003, 0x7FFFFFFF, INT32_MIN};
constexpr WORD kFlags[] = {
    DISPATCH_METHOD | DISPATCH_PROPERTYGET, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
    DISPATCH_PROPERTYPUTREF, DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF,
    DISPATCH_METHOD | DISPATCH_PROPERTYPUT, 0, 0xFFFF};
constexpr DISPID kNames[] = {DISPID_PROPERTYPUT, 0, 1, 2, 3, 4, -1, 0x60030001, 0x12345};
constexpr VARTYPE kScalars[] = {
    VT_EMPTY, VT_NULL, VT_I2, VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_BSTR, VT_DISPATCH, VT_ERROR,
    VT_BOOL, VT_UNKNOWN, VT_DECIMAL, VT_I1, VT_UI1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT, VT_UINT};
constexpr VARTYPE kElements[] = {VT_BSTR, VT_BSTR, VT_VARIANT, VT_I4, VT_R8, VT_UI1, VT_BOOL,
                                 VT_DISPATCH, VT_UNKNOWN, VT_DECIMAL, VT_CY, VT_DATE, VT_ERROR,
                                 VT_I1, VT_I8};
constexpr VARTYPE kBadTypes[] = {VT_VOID, VT_HRESULT, VT_PTR, 0x7F, 0x0FFF, VT_BYREF | 0x7F};
constexpr double kDoubles[] = {0, -0.0, 1.5, 42, -1, 1e308, -1e308, 5e-324, 2958466, -657435,
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity()};
constexpr std::int64_t kIntegers[] = {0, 1, -1, 42, 0x7FFF, 0x8000, INT32_MAX, INT32_MIN,
                                      INT64_MAX, INT64_MIN};
const std::wstring kTexts[] = {
    L"", kKeyPath, kKeyPath + L"\\Missing", kKeyPath + L"\\", L"HKEY_NOWHERE\\Software", L"Name",
    L"File|Open|Ctrl+O^File|Save|Ctrl+S^Edit|Copy", L"TESKLEDGER", std::wstring(L"a\0b", 3),
    L"\xD800|\xDFFF|^", L"line one\r\nline two\nthree\rfour"};

class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  bool OneIn(int n) { return Below(n) == 0; }
  std::uint64_t Bits() {
    const std::uint64_t high = engine_();
    return high << 32 | engine_();
  }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) { return items[Below(static_cast<int>(N))]; }

 private:
  std::mt19937 engine_;
};

// An object, the operations its type information lists, and the text its operations take
// well-formed.
struct Target {
  IDispatch* object;
  std::wstring text;
  std::vector<Method> methods;
};

// What one call's arguments own, released whatever the callee left in the variables that
// by-reference arguments point at.
struct Arguments : NoCopy {
  std::vector<VARIANTARG> values;  // in Invoke's order, the last argument first
  std::vector<DISPID> names;
  std::deque<VARIANT> variables;
  ~Arguments() {
    for (VARIANTARG& value : values) VariantClear(&value);
    for (VARIANT& variable : variables) VariantClear(&variable);
  }
};

// Random arguments of every kind. `small` keeps texts short, for calls that may show a window.
class ArgumentMaker {
 public:
  ArgumentMaker(Random& random, std::vector<IDispatch*> objects)
      : random_(random), objects_(std::move(objects)),
        huge_(std::wstring(1 << 20, L'x').replace(0, 20, L"What's new|a|b^c\r\n")) {}

  // `declared` is the parameter's type (VT_EMPTY for an argument too many); three arguments in
  // ten are of it.
  void Make(VARIANTARG& argument, Arguments& owner, bool small, VARTYPE declared,
            int depth = 0) {
    VariantInit(&argument);
    const int kind = random_.Below(100);
    const VARTYPE type = declared & ~VT_BYREF & ~VT_ARRAY;
    if (kind < 20) return Scalar(argument, random_.Pick(kScalars), small);
    if (kind < 50 && (declared & VT_ARRAY)) return Array(argument, owner, small, type);
    if (kind < 50) return Passed(argument, owner, type ? type : VARTYPE{VT_BSTR}, small, depth);
    if (kind < 70) return Passed(argument, owner, random_.Pick(kScalars), small, depth);
    if (kind < 92) return Array(argument, owner, small, random_.Pick(kElements));
    V_VT(&argument) = random_.Pick(kBadTypes);
    V_UI8(&argument) = (V_VT(&argument) & VT_BYREF) || random_.OneIn(2) ? 0 : random_.Bits();
  }

 private:
  BSTR Text(bool small) {
    if (!small && random_.OneIn(40)) return SysAllocStringLen(huge_.data(), UINT(huge_.size()));
    const int kind = random_.Below(int(std::size(kTexts)) + 4);
    if (kind == 0) return nullptr;
    if (kind == 1) return SysAllocStringByteLen("odd", 3);
    if (kind > 3) return SysAllocStringLen(kTexts[kind - 4].data(), UINT(kTexts[kind - 4].size()));
    // Never begins "HKEY_", so that no generated key path names an existing key.
    std::wstring junk(L"~");
    for (int n = random_.Below(48); n > 0; --n) {
      junk += static_cast<wchar_t>(random_.OneIn(3) ? random_.Below(0x10000)
                                                    : L' ' + random_.Below(95));
    }
    return SysAllocStringLen(junk.data(), UINT(junk.size()));
  }
  IDispatch* Object() {
    IDispatch* object = objects_[random_.Below(int(objects_.size()))];
    if (object) object->AddRef();
    return object;
  }

  void Scalar(VARIANT& value, VARTYPE type, bool small) {
    VariantInit(&value);
    switch (type) {
      case VT_BSTR: V_BSTR(&value) = Text(small); break;
      case VT_DISPATCH: V_DISPATCH(&value) = Object(); break;
      case VT_UNKNOWN: V_UNKNOWN(&value) = Object(); break;
      case VT_R4: V_R4(&value) = static_cast<float>(random_.Pick(kDoubles)); break;
      case VT_R8:
      case VT_DATE: V_R8(&value) = random_.Pick(kDoubles); break;
      case VT_BOOL:
        V_BOOL(&value) = static_cast<VARIANT_BOOL>(random_.Pick<int>({-1, 0, 1, 0x1234}));
        break;
      case VT_ERROR:
        V_ERROR(&value) = random_.Pick<SCODE>({DISP_E_PARAMNOTFOUND, E_FAIL, S_OK});
        break;
      case VT_DECIMAL: {
        const std::uint64_t bits = random_.Bits();
        V_DECIMAL(&value).scale = static_cast<BYTE>(bits % (random_.OneIn(4) ? 256 : 29));
        V_DECIMAL(&value).sign = static_cast<BYTE>(random_.OneIn(2) ? DECIMAL_NEG : bits >> 8);
        V_DECIMAL(&value).Hi32 = static_cast<ULONG>(bits >> 32);
        V_DECIMAL(&value).Lo64 = random_.Bits();
        break;
      }
      default:
        V_I8(&value) = random_.OneIn(3) ? std::int64_t(random_.Bits()) : random_.Pick(kIntegers);
    }
    V_VT(&value) = type;  // after the value: a DECIMAL covers the type field
  }

  // A value of `type` passed as hosts pass one: by value, as a compiled host's variable, or as
  // a script's variant variable, which may hold anything; now and then a reference to nothing.
  void Passed(VARIANTARG& argument, Arguments& owner, VARTYPE type, bool small, int depth) {
    const int style = random_.Below(3);
    if (style == 0) return Scalar(argument, type, small);
    const bool toVariant = style == 2 && depth < 2;
    V_VT(&argument) = VT_BYREF | (toVariant ? VARTYPE{VT_VARIANT} : type);
    V_BYREF(&argument) = nullptr;
    if (random_.OneIn(6)) return;
    VARIANT& variable = owner.variables.emplace_back();
    if (toVariant && random_.OneIn(2)) {
      Make(variable, owner, small, VT_EMPTY, depth + 1);
    } else {
      Scalar(variable, type, small);
    }
    // The DECIMAL covers the whole variant; every other member starts at the union.
    V_BYREF(&argument) = toVariant           ? static_cast<void*>(&variable)
                         : type == VT_DECIMAL ? static_cast<void*>(&V_DECIMAL(&variable))
                                              : static_cast<void*>(&V_BSTR(&variable));
  }

  // Arrays of 1 to 4 dimensions, texts as tables of 0 to 4 columns; by value or by reference,
  // sometimes tagged with another element type, sometimes NULL.
  void Array(VARIANTARG& argument, Arguments& owner, bool small, VARTYPE element) {
    const bool table = element == VT_BSTR && !random_.OneIn(4);
    const UINT dimensions = table ? 2 : 1 + random_.Below(4);
    std::vector<SAFEARRAYBOUND> bounds(dimensions);
    for (auto& bound : bounds) bound = {ULONG(random_.Below(4)), LONG(random_.Below(5) - 2)};
    if (table) {
      bounds[0].cElements = ULONG(random_.Below(4));  // rows
      bounds[1].cElements = ULONG(random_.Below(5));  // columns
    }
    SAFEARRAY* array =
        random_.OneIn(12) ? nullptr : SafeArrayCreate(element, dimensions, bounds.data());
    if (array) Fill(array, element, small);
    const VARTYPE tag = VT_ARRAY | (random_.OneIn(5) ? random_.Pick(kElements) : element);
    if (random_.OneIn(2)) {
      V_VT(&argument) = tag;
      V_ARRAY(&argument) = array;
      return;
    }
    VARIANT& variable = owner.variables.emplace_back();
    V_VT(&variable) = tag;
    V_ARRAY(&variable) = array;
    V_VT(&argument) = VT_BYREF | tag;
    V_ARRAYREF(&argument) = random_.OneIn(8) ? nullptr : &V_ARRAY(&variable);
  }

  void Fill(SAFEARRAY* array, VARTYPE element, bool small) {
    size_t count = 1;
    for (UINT d = 0; d < array->cDims; ++d) count *= array->rgsabound[d].cElements;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) return;
    auto* bytes = static_cast<BYTE*>(data);
    for (size_t i = 0; i < count; ++i, bytes += array->cbElements) {
      switch (element) {
        case VT_BSTR: *reinterpret_cast<BSTR*>(bytes) = Text(true); break;
        case VT_VARIANT:
          Scalar(*reinterpret_cast<VARIANT*>(bytes), random_.Pick(kScalars), small);
          break;
        case VT_DISPATCH:
        case VT_UNKNOWN: *reinterpret_cast<IDispatch**>(bytes) = Object(); break;
        default: {
          const std::uint64_t bits[2] = {random_.Bits(), random_.Bits()};
          memcpy(bytes, bits, array->cbElements);
        }
      }
    }
    SafeArrayUnaccessData(array);
  }

  Random& random_;
  std::vector<IDispatch*> objects_;
  std::wstring huge_;  // a megabyte of text and more
};

// Leaves an error object on the thread, as a host's earlier call to anything may have.
void PlantStaleError() {
  ComPtr<ICreateErrorInfo> creator;
  ComPtr<IErrorInfo> info;
  if (FAILED(CreateErrorInfo(creator.GetAddressOf())) || FAILED(creator.As(&info))) return;
  creator->SetDescription(const_cast<wchar_t*>(kStale));
  SetErrorInfo(0, info.Get());
}

// What an argument holds, through a script's variant variable.
const VARIANTARG& Resolved(const VARIANTARG& argument) {
  const bool variable = V_VT(&argument) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&argument);
  return variable ? *V_VARIANTREF(&argument) : argument;
}

// An argument no conversion makes into the text or flag a window operation takes.
bool Unconvertible(const VARIANTARG& argument) {
  const VARIANTARG& value = Resolved(argument);
  const VARTYPE type = V_VT(&value) & ~VT_BYREF;
  if ((V_VT(&value) & VT_BYREF) && !V_BYREF(&value)) return true;
  // An array of bytes is text to automation.
  const bool array = (type & VT_ARRAY) && type != (VT_ARRAY | VT_UI1);
  return type == VT_NULL || type == VT_DISPATCH || type == VT_UNKNOWN || array ||
         std::find(std::begin(kBadTypes), std::end(kBadTypes), V_VT(&value)) != std::end(kBadTypes);
}

// Whether an argument is empty text without conversion.
bool EmptyText(const VARIANTARG& argument) {
  const VARIANTARG& value = Resolved(argument);
  const BSTR* text = V_VT(&value) == VT_BSTR ? &V_BSTR(&value)
                   : V_VT(&value) == (VT_BYREF | VT_BSTR) ? V_BSTRREF(&value) : nullptr;
  return V_VT(&value) == VT_EMPTY || (text && SysStringLen(*text) == 0);
}

// An array a table of shortcuts cannot come from: none, or not two dimensions of which the
// second has three columns at least.
bool NoTable(const VARIANTARG& argument) {
  const VARIANTARG& value = Resolved(argument);
  if (!(V_VT(&value) & VT_ARRAY)) return true;
  SAFEARRAY* array = (V_VT(&value) & VT_BYREF)
                         ? (V_ARRAYREF(&value) ? *V_ARRAYREF(&value) : nullptr)
                         : V_ARRAY(&value);
  LONG low = 0, high = -1;
  return !array || SafeArrayGetDim(array) != 2 || FAILED(SafeArrayGetLBound(array, 2, &low)) ||
         FAILED(SafeArrayGetUBound(array, 2, &high)) || high - low + 1 < 3;
}

// What a successful call returns: the operations declared to return a Variant return an
// empty one.
VARTYPE SuccessResult(const Method& method) {
  return method.Result() == VT_VARIANT ? VARTYPE{VT_EMPTY} : method.Result();
}

// One call as planned: which object and member, how, and with how many arguments.
struct Plan {
  IDispatch* object;
  const Method* method;  // null for an id the object has no operation for
  DISPID id;
  WORD flags;
  UINT arguments;
  UINT named;
  bool noParams = false, noResult = false, noException = false, noArgumentError = false,
       badInterface = false, noArgumentArray = false;

  // Only a window operation called as a method with exactly its arguments can get as far as
  // showing its window; anything else fails before.
  bool MayShowWindow() const {
    return method && kWindowOperations.count(method->name) && (flags & DISPATCH_METHOD) &&
           (noParams ? 0 : arguments) == method->Arguments();
  }
  // Calls of a window operation that certainly fail before its window shows: a table from no
  // table, the shortcut form's empty list, or an argument of no use.
  bool Refused(const Arguments& args) const {
    if (noParams || args.values.empty()) return false;
    if (method->parameters[0].type & VT_ARRAY) return NoTable(args.values[0]);
    if (method->name == L"ShowShortcutKeysForm" && EmptyText(args.values[0])) return true;
    return std::any_of(args.values.begin(), args.values.end(), Unconvertible);
  }
};

// The call under way, for a crash to name.
std::string currentCall;

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* crash) {
  std::fprintf(stderr, "crash %#lx at %p in the call %s\n",
               static_cast<unsigned long>(crash->ExceptionRecord->ExceptionCode),
               crash->ExceptionRecord->ExceptionAddress, currentCall.c_str());
  std::fflush(stderr);
  ExitProcess(3);
}

// Names the call's member, flags and argument types in currentCall.
void Describe(const Plan& plan, const Arguments& args) {
  currentCall = "member " + Hr(plan.id) + ", flags " + Hr(plan.flags) + ", args";
  for (const VARIANTARG& value : args.values) {
    const bool none = (V_VT(&value) & VT_BYREF) && !V_BYREF(&value);
    currentCall += " " + Hr(V_VT(&value)) + (none ? "(NULL)" : "");
  }
  for (DISPID name : args.names) currentCall += " named " + std::to_string(name);
}

class Fuzzer {
 public:
  explicit Fuzzer(const std::vector<Target>& targets)
      : targets_(targets), maker_(random_, {targets[0].object, targets[1].object, nullptr}) {
    for (const Target& target : targets) {
      for (const Method& method : target.methods) otherIds_.insert({method.id - 1, method.id + 1});
    }
  }

  void Run(int calls, double secondsAllowed) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::duration<double>(secondsAllowed);
    for (int n = 0; n < calls; ++n) {
      if (n % 100 == 0 && std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "only " << n << " calls in " << secondsAllowed << " s";
        break;
      }
      Call(NextPlan());
    }
  }

  std::string Summary() const {
    std::string text = std::to_string(calls_) + " calls:";
    for (const auto& [hr, count] : results_) text += " " + Hr(hr) + " x" + std::to_string(count);
    return text + "; exceptions checked " + std::to_string(checked_) + ", windows " +
           std::to_string(LibraryWindowCloser::windows) + ", message boxes " +
           std::to_string(LibraryWindowCloser::boxes);
  }
  const std::set<std::string>& Faults() const { return faults_; }

 private:
  Plan NextPlan() {
    const Target& target = targets_[random_.Below(2)];
    // Mostly as methods, which every operation is, so that calls get past the flags.
    const WORD flags = random_.Below(10) < 6 ? WORD{DISPATCH_METHOD} : random_.Pick(kFlags);
    Plan plan{target.object, nullptr, 0, flags, UINT(random_.Below(6)), 0};
    if (random_.Below(10) < 8) {
      plan.method = &target.methods[random_.Below(int(target.methods.size()))];
      plan.id = plan.method->id;
    } else {
      const int neighbour = random_.Below(int(otherIds_.size()));
      plan.id = random_.OneIn(2) ? random_.Pick(kOtherIds) : *std::next(otherIds_.begin(), neighbour);
      for (const Method& method : target.methods) {
        if (method.id == plan.id) plan.method = &method;
      }
    }
    // Mostly the right number of arguments, so that calls get past the count.
    if (plan.method && random_.OneIn(2)) plan.arguments = plan.method->Arguments();
    plan.named = random_.OneIn(5) ? UINT(random_.Below(int(plan.arguments) + 1)) : 0;
    plan.noParams = random_.OneIn(40);
    plan.noResult = random_.OneIn(6);
    plan.noException = random_.OneIn(6);
    plan.noArgumentError = random_.OneIn(6);
    plan.badInterface = random_.OneIn(100);
    plan.noArgumentArray = plan.arguments > 0 && random_.OneIn(100);
    return plan;
  }

  // The declared type of the argument at `index` of Invoke's array.
  static VARTYPE Declared(const Plan& plan, size_t index) {
    const size_t parameter = plan.arguments - 1 - index;
    const bool known = plan.method && parameter < plan.method->Arguments();
    return known ? plan.method->parameters[parameter].type : VARTYPE{VT_EMPTY};
  }

  void Call(Plan plan) {
    Arguments args;
    const bool small = plan.MayShowWindow();
    args.values.resize(plan.arguments);
    for (size_t i = 0; i < args.values.size(); ++i) {
      maker_.Make(args.values[i], args, small, Declared(plan, i));
    }
    const bool capped = small && windowsOf_[plan.id] >= kWindowsPerOperation;
    if (capped && !plan.Refused(args)) {
      // One argument too many is refused before anything is shown.
      maker_.Make(args.values.emplace_back(), args, small, VT_EMPTY);
      plan.arguments = UINT(args.values.size());
      plan.noParams = false;
    }
    for (UINT i = 0; i < plan.named; ++i) {
      args.names.push_back(random_.OneIn(3) ? random_.Pick(kNames)
                                            : DISPID(plan.arguments - 1 - i));
    }
    DISPPARAMS params{plan.noArgumentArray ? nullptr : args.values.data(),
                      plan.named ? args.names.data() : nullptr, plan.arguments, plan.named};
    Variant result;
    Exception exception;
    UINT argumentError = ~0u;
    if (random_.OneIn(3)) PlantStaleError();

    Describe(plan, args);
    const int windowsBefore = LibraryWindowCloser::windows;
    const HRESULT hr = plan.object->Invoke(
        plan.id, plan.badInterface ? IID_IDispatch : IID_NULL, LOCALE_USER_DEFAULT, plan.flags,
        plan.noParams ? nullptr : &params, plan.noResult ? nullptr : &result,
        plan.noException ? nullptr : &exception, plan.noArgumentError ? nullptr : &argumentError);
    windowsOf_[plan.id] += LibraryWindowCloser::windows - windowsBefore;
    if (capped && LibraryWindowCloser::windows > windowsBefore) {
      faults_.insert("a window from a call meant to fail: " + currentCall);
    }

    ++calls_;
    ++results_[hr];
    if (hr == DISP_E_EXCEPTION && !plan.noException) CheckException(plan, exception);
    if (hr == S_OK && !plan.noResult && plan.method &&
        V_VT(&result) != SuccessResult(*plan.method)) {
      faults_.insert("member " + Hr(plan.id) + ": a result of type " + Hr(V_VT(&result)));
    }
    // Wine's type information leaves the failing argument's index unset for most mismatches, so
    // only an index given is checked.
    const bool namesArgument = hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND;
    if (namesArgument && argumentError != ~0u && argumentError >= plan.arguments) {
      faults_.insert("member " + Hr(plan.id) + ": the failing argument is number " +
                     std::to_string(argumentError) + " of " + std::to_string(plan.arguments));
    }
    SetErrorInfo(0, nullptr);
  }

  // A reported exception carries the failure's own description, which the host is given to
  // free.
  void CheckException(const Plan& plan, Exception& exception) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const std::wstring description =
        exception.bstrDescription ? exception.bstrDescription : L"";
    const std::string call = "member " + Hr(plan.id) + ", code " + Hr(exception.scode);
    if (description.empty()) faults_.insert(call + ": an exception without a description");
    if (description == kStale) faults_.insert(call + ": an earlier call's error as its own");
    ++checked_;
  }

  Random random_{kSeed};
  const std::vector<Target>& targets_;
  ArgumentMaker maker_;
  std::set<DISPID> otherIds_;  // neighbours of the members' ids
  int calls_ = 0;
  int checked_ = 0;
  std::map<HRESULT, int> results_;
  std::map<DISPID, int> windowsOf_;
  std::set<std::string> faults_;
};

ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

HRESULT Invoke(IDispatch* object, DISPID id, DISPPARAMS params, VARIANT* result) {
  Exception exception;
  return object->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, result, &exception, nullptr);
}

// The objects the calls go to live through the whole suite, so that the last test shows that
// they still work; the settings and the private key are the suite's too.
struct Suite {
  // A port that refuses at once, so that the bug-report fetches cost nothing.
  UpdateServerSetting server{L"http://127.0.0.1:9"};
  TestKey key{kKey};
  ComPtr<IDispatch> regLib;
  ComPtr<IDispatch> info = CreateByProgId<IDispatch>(L"TeskLumoraLib.ClsInfo");
  std::vector<Target> targets;
};

class AutomationFuzz : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    SetUnhandledExceptionFilter(ReportCrash);
    suite_ = std::make_unique<Suite>();
    const ComPtr<IDispatch>& info = suite_->info;
    ComPtr<IDispatch>& regLib = suite_->regLib;
    if (SharedRegLib()) SharedRegLib()->QueryInterface(IID_PPV_ARGS(&regLib));
    if (!info || !regLib) return;
    suite_->targets = {{info.Get(), L"File|Open|Ctrl+O", MethodsOf(VtableInfo(info.Get()).Get())},
                       {regLib.Get(), kKeyPath, MethodsOf(VtableInfo(regLib.Get()).Get())}};
  }
  static void TearDownTestSuite() { suite_.reset(); }
  void SetUp() override { ASSERT_FALSE(suite_->targets.empty()); }

  static inline std::unique_ptr<Suite> suite_;
};

TEST_F(AutomationFuzz, EveryRandomLateBoundCallComesBack) {
  LibraryWindowCloser closer;
  const ULONG infoReferences = References(suite_->info.Get());
  const ULONG regLibReferences = References(suite_->regLib.Get());
  Fuzzer fuzzer(suite_->targets);
  fuzzer.Run(kCalls * SoakFactor(), kSecondsAllowed * SoakFactor());
  std::printf("automation fuzz: %s\n", fuzzer.Summary().c_str());
  for (const std::string& fault : fuzzer.Faults()) ADD_FAILURE() << fault;
  for (const std::wstring& caption : LibraryWindowCloser::strangers) {
    ADD_FAILURE() << "an unknown window \"" << Narrow(caption) << "\"";
  }
  EXPECT_LE(LibraryWindowCloser::windows, int(kWindowOperations.size()) * kWindowsPerOperation);
  EXPECT_EQ(References(suite_->info.Get()), infoReferences);
  EXPECT_EQ(References(suite_->regLib.Get()), regLibReferences);
  EXPECT_EQ(CountProcesses(L"mysqld-opt.exe"), 0) << "SetSql found no server to start";
}

// A DECIMAL that is no number is refused before the type information's conversions see it
// (Wine's conversion of one to text writes before its buffer), which the random calls show; in
// a table of shortcuts, which they seldom make, it is an element without text.
void ExpectTableOfNoNumberRefused(const Target& target, const Method& method) {
  DECIMAL noNumber{};
  noNumber.scale = 253;
  noNumber.sign = DECIMAL_NEG;
  noNumber.Hi32 = 0xB749D7E9;
  noNumber.Lo64 = 0xCD818407F7DFFD89;
  SAFEARRAYBOUND bounds[] = {{1, 0}, {3, 0}};
  LONG cell[] = {0, 1};
  for (UINT place = 0; place < method.Arguments(); ++place) {
    if (!(method.parameters[place].type & VT_ARRAY)) continue;
    WellFormedArguments args(method, target.text);
    DISPPARAMS params = args.LateBound();
    VARIANT& table = params.rgvarg[params.cArgs - 1 - place];
    V_VT(&table) = VT_ARRAY | VT_DECIMAL;
    V_ARRAY(&table) = SafeArrayCreate(VT_DECIMAL, 2, bounds);
    SafeArrayPutElement(V_ARRAY(&table), cell, &noNumber);
    EXPECT_EQ(Invoke(target.object, method.id, params, nullptr), DISP_E_TYPEMISMATCH) << place;
    SafeArrayDestroy(V_ARRAY(&table));
  }
}

// Each pointer parameter given as NULL through the virtual table, the others well-formed: the
// call fails and leaves an error of its own for the host to fetch. SetSql never reads its
// flag, so for it a NULL one is no fault.
void ExpectNullPointersRefused(const Target& target, const Method& method) {
  for (size_t place = 0; place < method.parameters.size(); ++place) {
    const Parameter& parameter = method.parameters[place];
    if (!(parameter.type & VT_BYREF) || parameter.name == L"Startv") continue;
    WellFormedArguments args(method, target.text);
    std::vector<VARTYPE> types;
    std::vector<VARIANTARG*> values;
    for (VARIANTARG& value : args.Values()) {
      types.push_back(V_VT(&value));
      values.push_back(&value);
    }
    V_BYREF(values[place]) = nullptr;
    PlantStaleError();
    VARIANT hr;
    ASSERT_EQ(DispCallFunc(target.object, method.slot * sizeof(void*), CC_STDCALL, VT_ERROR,
                           UINT(values.size()), types.data(), values.data(), &hr), S_OK);
    const std::string what = Narrow(method.name + L" " + parameter.name);
    EXPECT_TRUE(FAILED(V_ERROR(&hr))) << what << ": " << Hr(V_ERROR(&hr));
    const std::wstring description = ErrorDescription();
    EXPECT_NE(description, kStale) << what << " left an earlier call's error for the host";
    EXPECT_NE(description, L"") << what;
  }
}

TEST_F(AutomationFuzz, TablesOfNoNumberAndNullPointersAreRefused) {
  LibraryWindowCloser closer;
  const int windowsBefore = LibraryWindowCloser::windows;
  currentCall = "a table of no number or a NULL pointer";
  suite_->key.SetRaw(kKeyPath, REG_SZ, L"untouched", 18);  // the name the refused calls are given
  for (const Target& target : suite_->targets) {
    for (const Method& method : target.methods) {
      SCOPED_TRACE(Narrow(method.name));
      ExpectTableOfNoNumberRefused(target, method);
      ExpectNullPointersRefused(target, method);
    }
  }
  EXPECT_EQ(LibraryWindowCloser::windows, windowsBefore);
  EXPECT_EQ(suite_->key.Read(kKeyPath), L"untouched");
}

// After all that, each operation, found by its names and called well-formed on the same
// objects, does its work: returns what it is declared to, shows its window and stores a value
// that reads back.
TEST_F(AutomationFuzz, EveryOperationStillWorksAfterwards) {
  LibraryWindowCloser closer;
  for (const Target& target : suite_->targets) {
    for (const Method& method : target.methods) {
      SCOPED_TRACE(Narrow(method.name));
      std::vector<LPOLESTR> names{const_cast<LPOLESTR>(method.name.c_str())};
      for (UINT i = 0; i < method.Arguments(); ++i) {
        names.push_back(const_cast<LPOLESTR>(method.parameters[i].name.c_str()));
      }
      std::vector<DISPID> ids(names.size(), DISPID_UNKNOWN), expected{method.id};
      for (UINT i = 0; i < method.Arguments(); ++i) expected.push_back(DISPID(i));
      EXPECT_EQ(target.object->GetIDsOfNames(IID_NULL, names.data(), UINT(names.size()), 0,
                                             ids.data()), S_OK);
      EXPECT_EQ(ids, expected);

      WellFormedArguments args(method, target.text);
      Variant result;
      const int windowsBefore = LibraryWindowCloser::windows;
      EXPECT_EQ(Invoke(target.object, method.id, args.LateBound(), &result), S_OK);
      EXPECT_EQ(V_VT(&result), SuccessResult(method));
      EXPECT_EQ(LibraryWindowCloser::windows - windowsBefore,
                int(kWindowOperations.count(method.name)));
    }
  }
  EXPECT_EQ(suite_->key.Read(kKeyPath), kKeyPath);
  Bstr path(kKeyPath), name(kKeyPath), value;
  EXPECT_EQ(SharedRegLib()->GetRegKeyValue(path.put(), name.put(), value.put()), S_OK);
  EXPECT_EQ(value.str(), kKeyPath);
  EXPECT_TRUE(LibraryWindowCloser::strangers.empty());
}

}  // namespace
}  // namespace tesk::wine_test
