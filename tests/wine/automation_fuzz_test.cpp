// Both classes driven with calls no host should make, from a fixed seed: tens of thousands of
// late-bound calls with random members, argument counts, types, names and flags, each of which
// must come back; every pointer argument of the virtual tables given as NULL in turn; and then
// every operation once more, well-formed, on the same objects.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "window_watch.h"

namespace tesk::wine_test {
namespace {

constexpr std::uint32_t kSeed = 0x7E5C1u;
constexpr int kCalls = 50000;
constexpr double kSecondsAllowed = 120;
// Closing a window costs about two seconds under Wine without a window manager; five
// operations show one.
constexpr int kWindowsPerOperation = 2;
constexpr int kWindowCap = 5 * kWindowsPerOperation;
constexpr wchar_t kKey[] = L"Software\\TeskLumoraLibFuzz";
constexpr wchar_t kKeyPath[] = L"HKEY_CURRENT_USER\\Software\\TeskLumoraLibFuzz";
constexpr wchar_t kStale[] = L"an earlier call's error";

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
  T Pick(const T (&items)[N]) { return items[Below(static_cast<int>(N))]; }

 private:
  std::mt19937 engine_;
};

struct Member {
  DISPID id;
  UINT parameters;
  bool opensWindow;
  VARTYPE result;  // what a successful call returns
};
constexpr Member kInfoMembers[] = {
    {0x60030001, 4, true, VT_EMPTY},  {0x60030002, 1, true, VT_EMPTY},
    {0x60030003, 1, true, VT_EMPTY},  {0x60030004, 1, true, VT_EMPTY},
    {0x60030005, 1, false, VT_BOOL},  {0x6003001C, 0, true, VT_BSTR},
    {0x6003001D, 0, false, VT_BSTR},  {0x6003001F, 1, false, VT_EMPTY}};
constexpr Member kRegLibMembers[] = {{0x60030005, 2, false, VT_BSTR},
                                     {0x60030006, 3, false, VT_EMPTY}};
// Ids no operation has: reserved ones, neighbours of real ones, and the members of IUnknown and
// IDispatch, which the interfaces' type information inherits.
constexpr DISPID kOtherIds[] = {
    DISPID_VALUE, DISPID_UNKNOWN, DISPID_PROPERTYPUT, DISPID_NEWENUM, DISPID_EVALUATE,
    0x60030000,   0x60030006,     0x60030007,         0x6003001E,     0x60030020,
    0x60000000,   0x60000001,     0x60000002,         0x60010000,     0x60010001,
    0x60010002,   0x60010003,     0x7FFFFFFF,         INT32_MIN};
constexpr WORD kFlags[] = {
    DISPATCH_METHOD | DISPATCH_PROPERTYGET,
    DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT, DISPATCH_PROPERTYPUTREF,
    DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF, DISPATCH_METHOD | DISPATCH_PROPERTYPUT,
    0, 0xFFFF};
constexpr DISPID kNames[] = {DISPID_PROPERTYPUT, 0, 1, 2, 3, 4, -1, 0x60030001, 0x12345};
constexpr VARTYPE kScalars[] = {
    VT_EMPTY, VT_NULL, VT_I2,   VT_I4, VT_R4,  VT_R8,  VT_CY,  VT_DATE,
    VT_BSTR,  VT_DISPATCH, VT_ERROR, VT_BOOL, VT_UNKNOWN, VT_DECIMAL, VT_I1, VT_UI1,
    VT_UI2,   VT_UI4, VT_I8, VT_UI8, VT_INT, VT_UINT};
constexpr VARTYPE kElements[] = {VT_BSTR, VT_BSTR, VT_VARIANT, VT_I4,  VT_R8,   VT_UI1,
                                 VT_BOOL, VT_DISPATCH, VT_UNKNOWN, VT_DECIMAL, VT_CY, VT_DATE,
                                 VT_ERROR, VT_I1, VT_I8};
constexpr VARTYPE kBadTypes[] = {VT_VOID, VT_HRESULT, VT_PTR, 0x7F, 0x0FFF, VT_BYREF | 0x7F};
constexpr double kDoubles[] = {0, -0.0, 1.5, 42, -1, 1e308, -1e308, 5e-324, 2958466, -657435,
                               std::numeric_limits<double>::quiet_NaN(),
                               std::numeric_limits<double>::infinity()};
constexpr std::int64_t kIntegers[] = {0, 1, -1, 42, 0x7FFF, 0x8000, INT32_MAX, INT32_MIN,
                                      INT64_MAX, INT64_MIN};

// What one call's arguments own, released whatever the callee left in the variables that
// by-reference arguments point at.
struct Arguments {
  std::vector<VARIANTARG> values;  // in Invoke's order, the last argument first
  std::vector<DISPID> names;
  std::deque<VARIANT> variables;
  Arguments() = default;
  Arguments(const Arguments&) = delete;
  Arguments& operator=(const Arguments&) = delete;
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

  void Make(VARIANTARG& argument, Arguments& owner, bool small, int depth = 0) {
    VariantInit(&argument);
    const int kind = random_.Below(100);
    if (kind < 20) return Scalar(argument, random_.Pick(kScalars), small);
    if (kind < 45) return Passed(argument, owner, VT_BSTR, small);
    if (kind < 50) return Passed(argument, owner, VT_BOOL, small);
    if (kind < 70) return Reference(argument, owner, small, depth);
    if (kind < 92) return Array(argument, owner, small);
    V_VT(&argument) = random_.Pick(kBadTypes);
    V_UI8(&argument) = (V_VT(&argument) & VT_BYREF) || random_.OneIn(2) ? 0 : random_.Bits();
  }

 private:
  BSTR Text(bool small) {
    if (!small && random_.OneIn(40)) return SysAllocStringLen(huge_.data(), UINT(huge_.size()));
    switch (random_.Below(15)) {
      case 0: return nullptr;
      case 1: return SysAllocString(L"");
      case 2: return SysAllocString(kKeyPath);
      case 3: return SysAllocString((std::wstring(kKeyPath) + L"\\Missing").c_str());
      case 4: return SysAllocString((std::wstring(kKeyPath) + L"\\").c_str());
      case 5: return SysAllocString(L"HKEY_NOWHERE\\Software");
      case 6: return SysAllocString(L"Name");
      case 7: return SysAllocString(L"File|Open|Ctrl+O^File|Save|Ctrl+S^Edit|Copy");
      case 8: return SysAllocString(L"TESKLEDGER");
      case 9: return SysAllocStringLen(L"a\0b", 3);
      case 10: return SysAllocString(L"\xD800|\xDFFF|^");
      case 11: return SysAllocStringByteLen("odd", 3);
      case 12: return SysAllocString(L"line one\r\nline two\nthree\rfour");
      default: return Junk();
    }
  }
  // Never begins "HKEY_", so that no generated key path names an existing key.
  BSTR Junk() {
    std::wstring text(L"~");
    for (int n = random_.Below(48); n > 0; --n) {
      text += static_cast<wchar_t>(random_.OneIn(3) ? random_.Below(0x10000)
                                                    : L' ' + random_.Below(95));
    }
    return SysAllocStringLen(text.data(), UINT(text.size()));
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

  // A value of the type the parameters take, passed as hosts pass it: by value, as a compiled
  // host's variable, or as a script's variant variable.
  void Passed(VARIANTARG& argument, Arguments& owner, VARTYPE type, bool small) {
    const int style = random_.Below(3);
    if (style == 0) return Scalar(argument, type, small);
    VARIANT& variable = owner.variables.emplace_back();
    Scalar(variable, type, small);
    V_VT(&argument) = VT_BYREF | (style == 1 ? type : VARTYPE{VT_VARIANT});
    V_BYREF(&argument) = style == 1 ? static_cast<void*>(&V_BSTR(&variable)) : &variable;
  }

  // A reference to a variable of the caller's, or a NULL one.
  void Reference(VARIANTARG& argument, Arguments& owner, bool small, int depth) {
    const bool toVariant = depth < 2 && random_.OneIn(4);
    const VARTYPE type = toVariant ? VARTYPE{VT_VARIANT} : random_.Pick(kScalars);
    V_VT(&argument) = VT_BYREF | type;
    V_BYREF(&argument) = nullptr;
    if (random_.OneIn(6)) return;
    VARIANT& variable = owner.variables.emplace_back();
    if (toVariant) {
      Make(variable, owner, small, depth + 1);
      V_VARIANTREF(&argument) = &variable;
    } else {
      Scalar(variable, type, small);
      // The DECIMAL covers the whole variant; every other member starts at the union.
      V_BYREF(&argument) = type == VT_DECIMAL ? static_cast<void*>(&V_DECIMAL(&variable))
                                              : static_cast<void*>(&V_BSTR(&variable));
    }
  }

  // Arrays of any element type and 1 to 4 dimensions, texts as tables of 0 to 4 columns; by
  // value or by reference, sometimes tagged with another element type, sometimes NULL.
  void Array(VARIANTARG& argument, Arguments& owner, bool small) {
    const VARTYPE element = random_.Pick(kElements);
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

// The text an argument holds without conversion, if it is one.
std::optional<std::wstring> HeldText(const VARIANTARG& argument) {
  const VARIANTARG& value = Resolved(argument);
  if (V_VT(&value) == VT_EMPTY) return L"";
  const BSTR* text = V_VT(&value) == VT_BSTR ? &V_BSTR(&value)
                   : V_VT(&value) == (VT_BYREF | VT_BSTR) ? V_BSTRREF(&value) : nullptr;
  if (!text) return std::nullopt;
  return *text ? std::wstring(*text, SysStringLen(*text)) : L"";
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

// One call as planned: which object and member, how, and with how many arguments.
struct Plan {
  IDispatch* object;
  const Member* member;  // null for an id the object has no operation for
  DISPID id;
  WORD flags;
  UINT arguments;
  UINT named;
  bool noParams = false, noResult = false, noException = false, noArgumentError = false,
       badInterface = false, noArgumentArray = false;

  // Only a window operation called as a method with exactly its arguments can get as far as
  // showing its window; anything else fails before.
  bool MayShowWindow() const {
    return member && member->opensWindow && (flags & DISPATCH_METHOD) &&
           (noParams ? 0 : arguments) == member->parameters;
  }
};

// The call under way, for a crash to name.
char currentCall[512];

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* crash) {
  HMODULE module = nullptr;
  char file[MAX_PATH] = "?";
  if (GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<const char*>(crash->ExceptionRecord->ExceptionAddress), &module)) {
    GetModuleFileNameA(module, file, MAX_PATH);
  }
  std::fprintf(stderr, "crash %#lx at %p (%s) in the call %s\n",
               static_cast<unsigned long>(crash->ExceptionRecord->ExceptionCode),
               crash->ExceptionRecord->ExceptionAddress, file, currentCall);
  std::fflush(stderr);
  ExitProcess(3);
}

// Names the call's member, flags and argument types in currentCall.
void Describe(const Plan& plan, const Arguments& args) {
  std::string text = "member " + Hr(plan.id) + ", flags " + Hr(plan.flags) + ", args";
  for (const VARIANTARG& value : args.values) {
    const bool none = (V_VT(&value) & VT_BYREF) && !V_BYREF(&value);
    text += " " + Hr(V_VT(&value)) + (none ? "(NULL)" : "");
  }
  for (DISPID name : args.names) text += " named " + std::to_string(name);
  std::snprintf(currentCall, sizeof currentCall, "%s", text.c_str());
}

// Calls of a window operation that certainly fail before its window shows.
bool Refused(const Plan& plan, const Arguments& args) {
  if (plan.noParams || args.values.empty()) return false;
  if (plan.member->id == 0x60030004) return NoTable(args.values[0]);
  if (plan.member->id == 0x60030003 && HeldText(args.values[0]) == std::wstring()) return true;
  return std::any_of(args.values.begin(), args.values.end(), Unconvertible);
}

class Fuzzer {
 public:
  Fuzzer(IDispatch* info, IDispatch* regLib)
      : targets_{{info, kInfoMembers, std::size(kInfoMembers)},
                 {regLib, kRegLibMembers, std::size(kRegLibMembers)}},
        maker_(random_, {info, regLib, nullptr}) {}

  void Run(int calls, double secondsAllowed) {
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < calls; ++n) {
      if (n % 100 == 0 && Seconds(start) > secondsAllowed) {
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
  struct Target {
    IDispatch* object;
    const Member* members;
    size_t count;
  };

  static double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
  }

  Plan NextPlan() {
    const Target& target = targets_[random_.Below(2)];
    // Mostly as methods, which every operation is, so that calls get past the flags.
    const WORD flags = random_.Below(10) < 6 ? WORD{DISPATCH_METHOD} : random_.Pick(kFlags);
    Plan plan{target.object, nullptr, 0, flags, UINT(random_.Below(6)), 0};
    if (random_.Below(10) < 8) {
      plan.member = &target.members[random_.Below(int(target.count))];
      plan.id = plan.member->id;
    } else {
      plan.id = random_.Pick(kOtherIds);
      for (size_t i = 0; i < target.count; ++i) {
        if (target.members[i].id == plan.id) plan.member = &target.members[i];
      }
    }
    // Mostly the right number of arguments, so that calls get past the count.
    if (plan.member && random_.OneIn(2)) plan.arguments = plan.member->parameters;
    plan.named = random_.OneIn(5) ? UINT(random_.Below(int(plan.arguments) + 1)) : 0;
    plan.noParams = random_.OneIn(40);
    plan.noResult = random_.OneIn(6);
    plan.noException = random_.OneIn(6);
    plan.noArgumentError = random_.OneIn(6);
    plan.badInterface = random_.OneIn(100);
    plan.noArgumentArray = plan.arguments > 0 && random_.OneIn(100);
    return plan;
  }

  void Call(Plan plan) {
    Arguments args;
    const bool small = plan.MayShowWindow();
    args.values.resize(plan.arguments);
    for (VARIANTARG& value : args.values) maker_.Make(value, args, small);
    const bool capped = small && !WindowAllowed(plan.member->id);
    if (capped && !Refused(plan, args)) {
      // One argument too many is refused before anything is shown.
      maker_.Make(args.values.emplace_back(), args, small);
      plan.arguments = UINT(args.values.size());
      plan.noParams = false;
    }
    for (UINT i = 0; i < plan.named; ++i) {
      args.names.push_back(random_.OneIn(3) ? random_.Pick(kNames)
                                            : DISPID(plan.arguments - 1 - i));
    }
    DISPPARAMS params{plan.noArgumentArray ? nullptr : args.values.data(),
                      plan.named ? args.names.data() : nullptr, plan.arguments, plan.named};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception{};
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
      faults_.insert(std::string("a window from a call meant to fail: ") + currentCall);
    }

    ++calls_;
    ++results_[hr];
    if (hr == DISP_E_EXCEPTION && !plan.noException) CheckException(plan, exception);
    if (hr == S_OK && !plan.noResult && plan.member && V_VT(&result) != plan.member->result) {
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
    VariantClear(&result);
  }

  // The windows are shared out among the operations that show one.
  bool WindowAllowed(DISPID id) const {
    const auto shown = windowsOf_.find(id);
    return LibraryWindowCloser::windows < kWindowCap &&
           (shown == windowsOf_.end() || shown->second < kWindowsPerOperation);
  }

  // A reported exception carries the failure's own description, which the host is given to
  // free.
  void CheckException(const Plan& plan, EXCEPINFO& exception) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    const std::wstring description =
        exception.bstrDescription ? exception.bstrDescription : L"";
    const std::string call = "member " + Hr(plan.id) + ", code " + Hr(exception.scode);
    if (description.empty()) faults_.insert(call + ": an exception without a description");
    if (description == kStale) faults_.insert(call + ": an earlier call's error as its own");
    ++checked_;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
  }

  Random random_{kSeed};
  Target targets_[2];
  ArgumentMaker maker_;
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

// The objects the calls go to live through the whole suite, so that the last test shows that
// they still work; the settings and the private key are the suite's too.
class AutomationFuzz : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // A port that refuses at once, so that the bug-report fetches cost nothing.
    server_ = std::make_unique<UpdateServerSetting>(L"http://127.0.0.1:9");
    key_ = std::make_unique<TestKey>(kKey);
    SetUnhandledExceptionFilter(ReportCrash);
    info_ = CreateByProgId<_ClsInfo>(L"TeskLumoraLib.ClsInfo");
    if (SharedRegLib()) {
      SharedRegLib()->QueryInterface(IID_PPV_ARGS(regLib_.ReleaseAndGetAddressOf()));
    }
  }
  static void TearDownTestSuite() {
    info_.Reset();
    regLib_.Reset();
    key_.reset();
    server_.reset();
  }
  void SetUp() override { ASSERT_TRUE(info_ && regLib_); }

  static inline std::unique_ptr<UpdateServerSetting> server_;
  static inline std::unique_ptr<TestKey> key_;
  static inline ComPtr<_ClsInfo> info_;
  static inline ComPtr<IDispatch> regLib_;
};

TEST_F(AutomationFuzz, EveryRandomLateBoundCallComesBack) {
  LibraryWindowCloser closer;
  const ULONG infoReferences = References(info_.Get());
  const ULONG regLibReferences = References(regLib_.Get());
  Fuzzer fuzzer(info_.Get(), regLib_.Get());
  fuzzer.Run(kCalls * SoakFactor(), kSecondsAllowed * SoakFactor());
  std::printf("automation fuzz: %s\n", fuzzer.Summary().c_str());
  for (const std::string& fault : fuzzer.Faults()) ADD_FAILURE() << fault;
  for (const std::wstring& caption : LibraryWindowCloser::strangers) {
    ADD_FAILURE() << "an unknown window \"" << std::string(caption.begin(), caption.end()) << "\"";
  }
  EXPECT_LE(LibraryWindowCloser::windows, kWindowCap);
  EXPECT_EQ(References(info_.Get()), infoReferences);
  EXPECT_EQ(References(regLib_.Get()), regLibReferences);
  EXPECT_EQ(CountProcesses(L"mysqld-opt.exe"), 0) << "SetSql found no server to start";
}

// What the type information's conversions must not see is refused before them: a reference
// to no variable, directly or inside a script's variant variable, and a DECIMAL that is no
// number (Wine's conversion of one to text reads outside its buffers).
TEST_F(AutomationFuzz, MalformedArgumentsAreRefused) {
  LibraryWindowCloser closer;
  const int windowsBefore = LibraryWindowCloser::windows;
  VARIANT malformed[5];
  V_VT(&malformed[0]) = VT_BYREF | VT_BOOL;  // converted to the text parameter's type
  V_BYREF(&malformed[0]) = nullptr;
  V_VT(&malformed[1]) = VT_BYREF | VT_BSTR;  // passed on as it stands
  V_BYREF(&malformed[1]) = nullptr;
  V_VT(&malformed[2]) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&malformed[2]) = &malformed[1];
  DECIMAL noNumber{};  // negative, 253 digits after the point: Wine writes before its buffer
  noNumber.scale = 253;
  noNumber.sign = DECIMAL_NEG;
  noNumber.Hi32 = 0xB749D7E9;
  noNumber.Lo64 = 0xCD818407F7DFFD89;
  V_DECIMAL(&malformed[3]) = noNumber;
  V_VT(&malformed[3]) = VT_DECIMAL;
  V_VT(&malformed[4]) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&malformed[4]) = &malformed[3];
  // A value name the random calls never write.
  Bstr path(kKeyPath), name(L"Untouched"), value(L"value");
  std::snprintf(currentCall, sizeof currentCall, "a malformed argument");
  for (const VARIANT& argument : malformed) {
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(CallByName(regLib_.Get(), L"SetRegKeyValue",
                         {TextRef(path.put()), argument, TextRef(value.put())}, &result),
              E_INVALIDARG);
    EXPECT_EQ(CallByName(regLib_.Get(), L"GetRegKeyValue", {argument, TextRef(name.put())},
                         &result), E_INVALIDARG);
  }
  EXPECT_EQ(key_->Read(L"Untouched"), L"");

  // In a table of shortcuts it is an element without text.
  SAFEARRAYBOUND bounds[] = {{1, 0}, {3, 0}};
  SAFEARRAY* table = SafeArrayCreate(VT_DECIMAL, 2, bounds);
  LONG index[] = {0, 1};
  SafeArrayPutElement(table, index, &noNumber);
  VARIANT tableArgument;
  V_VT(&tableArgument) = VT_ARRAY | VT_DECIMAL;
  V_ARRAY(&tableArgument) = table;
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(CallByName(info_.Get(), L"ShowShortcutKey", {tableArgument}, &result),
            DISP_E_TYPEMISMATCH);
  SafeArrayDestroy(table);
  EXPECT_EQ(LibraryWindowCloser::windows, windowsBefore);
}

// Every pointer parameter of both virtual tables given as NULL in turn, the others valid: each
// call fails, shows nothing, and leaves an error of its own for the host to fetch.
TEST_F(AutomationFuzz, EachNullPointerOfTheVirtualTablesIsRefused) {
  LibraryWindowCloser closer;
  const int windowsBefore = LibraryWindowCloser::windows;
  _ClsInfo* info = info_.Get();
  _clsNewRegLib* reg = SharedRegLib();
  Bstr text(L"File|Open|Ctrl+O"), path(kKeyPath), name(L"Untouched");
  BSTR t = text.get();
  BSTR* const p = path.put();
  BSTR* const n = name.put();
  SAFEARRAY* table = TextTable({{L"File", L"Open", L"Ctrl+O"}});
  VARIANT v;
  VariantInit(&v);
  VARIANT_BOOL flag = VARIANT_TRUE;
  BSTR* none = nullptr;
  const std::vector<std::pair<const char*, std::function<HRESULT()>>> calls = {
      {"ShowAboutUs result", [&] { return info->ShowAboutUs(t, t, t, VARIANT_TRUE, nullptr); }},
      {"ShowWhatNew result", [&] { return info->ShowWhatNew(t, nullptr); }},
      {"ShowShortcutKeysForm cList", [&] { return info->ShowShortcutKeysForm(none, &v); }},
      {"ShowShortcutKeysForm result", [&] { return info->ShowShortcutKeysForm(&t, nullptr); }},
      {"ShowShortcutKey vStr", [&] { return info->ShowShortcutKey(nullptr, &v); }},
      {"ShowShortcutKey result", [&] { return info->ShowShortcutKey(&table, nullptr); }},
      {"SetSql result", [&] { return info->SetSql(&flag, nullptr); }},
      {"ShowReportABug result", [&] { return info->ShowReportABug(nullptr); }},
      {"ShowReportABugPath result", [&] { return info->ShowReportABugPath(nullptr); }},
      {"SetProductName strPName", [&] { return info->SetProductName(nullptr); }},
      {"GetRegKeyValue SubKeyName", [&] { return reg->GetRegKeyValue(none, n, &t); }},
      {"GetRegKeyValue RegKeyName", [&] { return reg->GetRegKeyValue(p, none, &t); }},
      {"GetRegKeyValue result", [&] { return reg->GetRegKeyValue(p, n, none); }},
      {"SetRegKeyValue KeyName", [&] { return reg->SetRegKeyValue(none, n, &t, &v); }},
      {"SetRegKeyValue RegName", [&] { return reg->SetRegKeyValue(p, none, &t, &v); }},
      {"SetRegKeyValue Value", [&] { return reg->SetRegKeyValue(p, n, none, &v); }},
      {"SetRegKeyValue result", [&] { return reg->SetRegKeyValue(p, n, &t, nullptr); }},
  };
  for (const auto& [what, call] : calls) {
    std::snprintf(currentCall, sizeof currentCall, "%s", what);
    PlantStaleError();
    const HRESULT hr = call();
    ASSERT_TRUE(FAILED(hr)) << what << ": " << Hr(hr);
    const std::wstring description = ErrorDescription();
    EXPECT_NE(description, kStale) << what << " left an earlier call's error for the host";
    EXPECT_NE(description, L"") << what;
  }
  SafeArrayDestroy(table);
  EXPECT_EQ(LibraryWindowCloser::windows, windowsBefore);
  EXPECT_EQ(key_->Read(L"Untouched"), L"");
}

// After all that, each operation called well-formed on the same objects does its work.
class Afterwards {
 public:
  explicit Afterwards(IDispatch* object) : object_(object) { VariantInit(&result_); }
  ~Afterwards() { VariantClear(&result_); }

  // The call's result, which must be S_OK.
  const VARIANT& Call(const wchar_t* name, std::vector<VARIANT> args) {
    VariantClear(&result_);
    const HRESULT hr = CallByName(object_, name, std::move(args), &result_);
    EXPECT_EQ(hr, S_OK) << std::string(name, name + wcslen(name)) << ": " << Hr(hr);
    return result_;
  }
  // The same for an operation that shows the window with this caption, closed once it shows.
  const VARIANT& Show(const wchar_t* caption, const wchar_t* name, std::vector<VARIANT> args) {
    bool shown = false;
    When(caption, [&shown](HWND window) {
      shown = true;
      PostMessageW(window, WM_CLOSE, 0, 0);
    });
    const VARIANT& result = Call(name, std::move(args));
    EXPECT_TRUE(shown) << std::string(caption, caption + wcslen(caption));
    ClearWatches();
    return result;
  }

 private:
  IDispatch* object_;
  VARIANT result_;
};

std::wstring TextIn(const VARIANT& result) {
  EXPECT_EQ(V_VT(&result), VT_BSTR);
  return V_VT(&result) == VT_BSTR && V_BSTR(&result) ? V_BSTR(&result) : L"";
}

TEST_F(AutomationFuzz, EveryOperationStillWorksAfterwards) {
  ComPtr<IDispatch> infoDispatch;
  ASSERT_EQ(info_.As(&infoDispatch), S_OK);
  Afterwards info(infoDispatch.Get());
  Bstr product(L"Fuzz Product"), user(L"user"), version(L"1.0"), whatNew(L"still here");
  Bstr list(L"File|Open|Ctrl+O");
  VARIANT registered;
  V_VT(&registered) = VT_BOOL;
  V_BOOL(&registered) = VARIANT_TRUE;
  EXPECT_EQ(V_VT(&info.Call(L"SetProductName", {TextRef(product.put())})), VT_EMPTY);
  EXPECT_EQ(
      V_VT(&info.Show(L"About Fuzz Product", L"ShowAboutUs",
                      {Text(product.get()), Text(user.get()), Text(version.get()), registered})),
      VT_EMPTY);
  EXPECT_EQ(V_VT(&info.Show(L"What's New", L"ShowWhatNew", {Text(whatNew.get())})), VT_EMPTY);
  EXPECT_EQ(V_VT(&info.Show(L"Shortcut Keys...", L"ShowShortcutKeysForm", {TextRef(list.put())})),
            VT_EMPTY);
  SAFEARRAY* table = TextTable({{L"File", L"Open", L"Ctrl+O"}, {L"File", L"Save", L"Ctrl+S"}});
  VARIANT tableRef;
  V_VT(&tableRef) = VT_BYREF | VT_ARRAY | VT_BSTR;
  V_ARRAYREF(&tableRef) = &table;
  EXPECT_EQ(V_VT(&info.Show(L"Shortcut Keys...", L"ShowShortcutKey", {tableRef})), VT_EMPTY);
  SafeArrayDestroy(table);
  EXPECT_EQ(TextIn(info.Show(L"Report a Bug", L"ShowReportABug", {})), L"");
  EXPECT_EQ(TextIn(info.Call(L"ShowReportABugPath", {})), L"") << "the update server refuses";

  VARIANT_BOOL start = VARIANT_TRUE;
  VARIANT startRef;
  V_VT(&startRef) = VT_BYREF | VT_BOOL;
  V_BOOLREF(&startRef) = &start;
  const VARIANT& started = info.Call(L"SetSql", {startRef});
  EXPECT_EQ(V_VT(&started), VT_BOOL);
  EXPECT_EQ(V_BOOL(&started), VARIANT_FALSE);
  EXPECT_EQ(CountProcesses(L"mysqld-opt.exe"), 0) << "no MySQL installation in the prefix";

  Afterwards regLib(regLib_.Get());
  Bstr path(kKeyPath), name(L"Final"), value(L"round trip");
  EXPECT_EQ(V_VT(&regLib.Call(L"SetRegKeyValue",
                              {TextRef(path.put()), TextRef(name.put()), TextRef(value.put())})),
            VT_EMPTY);
  EXPECT_EQ(path.str(), kKey) << "the accepted path, rewritten";
  EXPECT_EQ(key_->Read(L"Final"), L"round trip");
  Bstr again(kKeyPath);
  EXPECT_EQ(TextIn(regLib.Call(L"GetRegKeyValue", {TextRef(again.put()), TextRef(name.put())})),
            L"round trip");
}

}  // namespace
}  // namespace tesk::wine_test
