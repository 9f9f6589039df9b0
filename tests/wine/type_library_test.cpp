// The registered type library as hosts compiled against it see it, written out in a stable form
// and compared with type_library.txt, which is written from the IDL: each interface with its
// methods (dispatch id, kind, virtual-table slot, parameters and how they pass), the alias of
// the earlier interface id, the classes and what they implement. It leaves out what depends on
// the bitness (the system kind, offsets in bytes), so both DLLs give the same text.

#include <fstream>
#include <initializer_list>
#include <iterator>

#include "type_info_walk.h"

namespace tesk::wine_test {
namespace {

struct Flag {
  unsigned bit;
  const char* name;
};

// The names of the flags set, in the table's order; the others, which the library does not use,
// in hexadecimal.
std::string Attributes(unsigned flags, std::initializer_list<Flag> names) {
  std::string text;
  for (const Flag& flag : names) {
    if (flags & flag.bit) text += (text.empty() ? "" : ", ") + std::string(flag.name);
    flags &= ~flag.bit;
  }
  if (flags) text += (text.empty() ? "0x" : ", 0x") + Hr(HRESULT(flags)).substr(2);
  return "[" + text + "]";
}

std::string TypeName(VARTYPE type) {
  if (type & VT_BYREF) return TypeName(type & ~VT_BYREF) + "*";
  if (type & VT_ARRAY) return "SAFEARRAY(" + TypeName(type & ~VT_ARRAY) + ")";
  switch (type) {
    case VT_BSTR: return "BSTR";
    case VT_BOOL: return "VARIANT_BOOL";
    case VT_VARIANT: return "VARIANT";
    case VT_HRESULT: return "HRESULT";
    default: return "vt" + std::to_string(type);
  }
}

std::string Version(WORD major, WORD minor) {
  return std::to_string(major) + "." + std::to_string(minor);
}

std::string Name(ITypeInfo& info) {
  Bstr name;
  info.GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
  return Narrow(name.str());
}

std::string Referenced(ITypeInfo& info, HREFTYPE reference) {
  ComPtr<ITypeInfo> other;
  return SUCCEEDED(info.GetRefTypeInfo(reference, &other)) ? Name(*other.Get()) : "?";
}

std::string Heading(const char* kind, ITypeInfo& info, const TYPEATTR& type) {
  return std::string(kind) + " " + Name(info) + " " + Narrow(Guid(type.guid)) + " " +
         Version(type.wMajorVerNum, type.wMinorVerNum) + " " +
         Attributes(type.wTypeFlags, {{TYPEFLAG_FHIDDEN, "hidden"}, {TYPEFLAG_FDUAL, "dual"},
                                      {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"},
                                      {TYPEFLAG_FOLEAUTOMATION, "oleautomation"},
                                      {TYPEFLAG_FDISPATCHABLE, "dispatchable"},
                                      {TYPEFLAG_FCANCREATE, "cancreate"}});
}

std::string MethodLine(const Method& method) {
  static const char* const kKinds[] = {"?", "method", "propget", "?", "propput", "?", "?", "?",
                                       "propputref"};
  std::string line = "  [id(" + Hr(method.id) + "), " +
                     kKinds[method.kind <= 8 ? method.kind : 0] + ", slot " +
                     std::to_string(method.slot) + "] " + TypeName(method.returns) + " " +
                     Narrow(method.name) + "(";
  for (const Parameter& parameter : method.parameters) {
    line += (&parameter == &method.parameters[0] ? "" : ", ") +
            Attributes(parameter.flags, {{PARAMFLAG_FIN, "in"}, {PARAMFLAG_FOUT, "out"},
                                         {PARAMFLAG_FRETVAL, "retval"}}) +
            " " + TypeName(parameter.type) + " " + Narrow(parameter.name);
  }
  return line + ")\n";
}

std::string InterfaceText(ITypeInfo& info, const TYPEATTR& type) {
  HREFTYPE base = 0;
  info.GetRefTypeOfImplType(0, &base);
  std::string text = Heading("interface", info, type) + " : " + Referenced(info, base) + "\n";
  for (const Method& method : MethodsOf(&info)) text += MethodLine(method);
  return text;
}

std::string CoclassText(ITypeInfo& info, const TYPEATTR& type) {
  std::string text = Heading("coclass", info, type) + "\n";
  for (UINT i = 0; i < type.cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE implemented = 0;
    info.GetImplTypeFlags(i, &flags);
    info.GetRefTypeOfImplType(i, &implemented);
    text += "  " + Attributes(flags, {{IMPLTYPEFLAG_FDEFAULT, "default"}}) +
            " interface " + Referenced(info, implemented) + "\n";
  }
  return text;
}

// A dual interface is listed as its dispatch half; what it declares is its virtual-table half.
std::string Describe(ITypeInfo& listed) {
  ComPtr<ITypeInfo> info(&listed), vtable;
  HREFTYPE dual = 0;
  if (SUCCEEDED(info->GetRefTypeOfImplType(UINT(-1), &dual)) &&
      SUCCEEDED(info->GetRefTypeInfo(dual, &vtable))) {
    info = vtable;
  }
  TYPEATTR* type = nullptr;
  info->GetTypeAttr(&type);
  std::string text;
  if (type->typekind == TKIND_INTERFACE) {
    text = InterfaceText(*info.Get(), *type);
  } else if (type->typekind == TKIND_COCLASS) {
    text = CoclassText(*info.Get(), *type);
  } else if (type->typekind == TKIND_ALIAS && type->tdescAlias.vt == VT_USERDEFINED) {
    text = Heading("typedef", *info.Get(), *type) + " = " +
           Referenced(*info.Get(), type->tdescAlias.hreftype) + "\n";
  } else {
    text = Heading(("kind " + std::to_string(type->typekind)).c_str(), *info.Get(), *type) + "\n";
  }
  info->ReleaseTypeAttr(type);
  return text;
}

std::string Dump(ITypeLib& library) {
  Bstr name;
  library.GetDocumentation(-1, name.put(), nullptr, nullptr, nullptr);
  TLIBATTR* attributes = nullptr;
  library.GetLibAttr(&attributes);
  std::string text = "library " + Narrow(name.str()) + " " + Narrow(Guid(attributes->guid)) + " " +
                     Version(attributes->wMajorVerNum, attributes->wMinorVerNum) + " lcid " +
                     std::to_string(attributes->lcid) + "\n";
  library.ReleaseTLibAttr(attributes);
  for (UINT i = 0; i < library.GetTypeInfoCount(); ++i) {
    ComPtr<ITypeInfo> info;
    library.GetTypeInfo(i, &info);
    text += Describe(*info.Get());
  }
  return text;
}

TEST(TypeLibrary, IsAsWrittenDown) {
  ComPtr<ITypeLib> library;
  ASSERT_EQ(LoadRegTypeLib(LIBID_TeskLumoraLib, 1, 1, 0, &library), S_OK);
  const std::string dump = Dump(*library.Get());
  std::ifstream file(TESK_TYPE_LIBRARY_TEXT);
  const std::string written{std::istreambuf_iterator<char>(file), {}};
  EXPECT_EQ(dump, written) << "The type library as it is:\n" << dump;
}

}  // namespace
}  // namespace tesk::wine_test
