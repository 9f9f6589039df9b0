// clsNewRegLib: registry string values by textual key path. Creating one first registers the
// host's WinReg.dll (see RunRegLibSetup).

#include "TeskLumoraLib.h"
#include "interface/reg_lib_setup.h"
#include "interface/regmod.h"
#include "win32/automation/automation_classes.h"
#include "win32/automation/automation_object.h"
#include "win32/system/text_encoding.h"
#include "win32/system/unique_resource.h"
#include "win32/system/win32_registry.h"
#include "win32/system/win32_shell.h"

namespace tesk::win32 {
namespace {

class RegLibObject final : public AutomationObject<_clsNewRegLib> {
 public:
  RegLibObject() : AutomationObject(L"TeskLumoraLib.clsNewRegLib") {}

  HRESULT STDMETHODCALLTYPE GetRegKeyValue(BSTR* keyPath, BSTR* valueName,
                                           BSTR* result) override {
    if (!keyPath || !valueName || !result) return FailNullPointer();
    return Guarded([&] {
      std::string path = Utf8FromBstr(*keyPath);
      const auto value = regmod::RegGetString(registry_, path, Utf8FromBstr(*valueName));
      UniqueBstr text(BstrFromUtf8(value.value_or(std::string())));
      RewriteIfChanged(keyPath, path);
      *result = text.release();
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE SetRegKeyValue(BSTR* keyPath, BSTR* valueName, BSTR* value,
                                           VARIANT* result) override {
    if (!keyPath || !valueName || !value || !result) return FailNullPointer();
    return Guarded([&] {
      std::string path = Utf8FromBstr(*keyPath);
      regmod::RegSetString(registry_, path, Utf8FromBstr(*valueName), Utf8FromBstr(*value));
      RewriteIfChanged(keyPath, path);
      VariantInit(result);
      return S_OK;
    });
  }

 protected:
  // Hosts built against the class's earlier interface identifier get the current interface.
  bool AnswersFor(REFIID iid) const override {
    return IsEqualIID(iid, __uuidof(_clsNewRegLib)) || IsEqualIID(iid, IID_clsNewRegLib___v0);
  }

 private:
  // The host's key-path variable is rewritten only when parsing changed the path, so an
  // untouched path keeps its exact characters.
  static void RewriteIfChanged(BSTR* keyPath, const std::string& path) {
    if (Utf8FromBstr(*keyPath) != path) ReplaceBstr(keyPath, path);
  }

  Win32Registry registry_;
};

void RunCreationStep() noexcept {
  Win32Environment environment;
  Win32FileSystem files;
  Win32ProgramLauncher programs;
  Win32HostThread thread;
  Win32MessageBoxes messageBoxes;
  try {
    RunRegLibSetup({environment, files, programs, thread, messageBoxes});
  } catch (...) {
    // Creation succeeds whatever the set-up met; it has no failure to hand to the host.
  }
}

}  // namespace

HRESULT CreateClsNewRegLib(REFIID iid, void** object) {
  const HRESULT hr = CreateAutomationObject<RegLibObject>(iid, object);
  if (SUCCEEDED(hr)) RunCreationStep();
  return hr;
}

}  // namespace tesk::win32
