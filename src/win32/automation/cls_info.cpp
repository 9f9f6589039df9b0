// ClsInfo: the host's way to the library's windows and chores.

#include <wrl/client.h>

#include "TeskLumoraLib.h"
#include "interface/host_values.h"
#include "interface/implementation_settings.h"
#include "interface/mysql_startup.h"
#include "win32/automation/automation_classes.h"
#include "win32/automation/automation_object.h"
#include "win32/automation/text_arrays.h"
#include "win32/system/text_encoding.h"
#include "win32/system/win32_compound_documents.h"
#include "win32/system/win32_machine.h"
#include "win32/system/win32_registry.h"
#include "win32/system/win32_shell.h"
#include "win32/system/win32_url_transfer.h"
#include "win32/ui/win32_forms.h"
#include "win32/ui/win32_save_dialogs.h"
#include "windows/report_a_bug_address.h"
#include "windows/standard_windows.h"

namespace tesk::win32 {
namespace {

// Visual Basic's "Form already displayed; can't show modally" (error 400), which hosts written
// for this library's windows know.
constexpr HRESULT kWindowAlreadyOpen = VbRuntimeError(400);

class ClsInfoObject final : public AutomationObject<_ClsInfo> {
 public:
  ClsInfoObject() : AutomationObject(L"TeskLumoraLib.ClsInfo") {}

  HRESULT STDMETHODCALLTYPE ShowAboutUs(BSTR productName, BSTR userInfo, BSTR version,
                                        VARIANT_BOOL isRegistered, VARIANT* result) override {
    if (!result) return FailNullPointer();
    VariantInit(result);
    return ShowModal(windows::SharedStandardWindows().about, [&] {
      HostValues values = SharedHostValues();
      values.aboutProductName = Utf8FromBstr(productName);
      values.aboutUserInfo = Utf8FromBstr(userInfo);
      values.aboutVersion = Utf8FromBstr(version);
      values.aboutIsRegistered = isRegistered != VARIANT_FALSE;
      SharedHostValues() = std::move(values);
    });
  }

  HRESULT STDMETHODCALLTYPE ShowWhatNew(BSTR whatNew, VARIANT* result) override {
    if (!result) return FailNullPointer();
    VariantInit(result);
    windows::TipWindow& tip = windows::SharedStandardWindows().tip;
    return ShowModal(tip, [&] { tip.SetWhatNewText(Utf8FromBstr(whatNew)); });
  }

  // The list becomes a table, which goes to ShowShortcutKey as a host's would.
  HRESULT STDMETHODCALLTYPE ShowShortcutKeysForm(BSTR* list, VARIANT* result) override {
    if (!list || !result) return FailNullPointer();
    VariantInit(result);
    return Guarded([&] {
      UniqueSafeArray table;
      try {
        table = ArrayFromShortcutTable(windows::ParseShortcutList(Utf8FromBstr(*list)));
      } catch (const windows::ShortcutListError& error) {
        return FailAsVisualBasic(error);
      }
      SAFEARRAY* array = table.get();
      return ShowShortcutKey(&array, result);
    });
  }

  HRESULT STDMETHODCALLTYPE ShowShortcutKey(SAFEARRAY** table, VARIANT* result) override {
    if (!table || !result) return FailNullPointer();
    VariantInit(result);
    windows::ShortcutKeyWindow& window = windows::SharedStandardWindows().shortcutKeys;
    return ShowModal(window, [&] { window.ListOfShortcuts(ShortcutTableFromArray(*table)); });
  }

  // Never fails and tells nothing: the host's flag is not consulted and the result is false.
  HRESULT STDMETHODCALLTYPE SetSql(VARIANT_BOOL*, VARIANT_BOOL* result) override {
    if (!result) return FailNullPointer();
    Win32DriveList drives;
    Win32FileSystem files;
    Win32ProcessList processes;
    Win32ProgramLauncher programs;
    try {
      tesk::SetSql({drives, files, processes, programs});
    } catch (...) {
      // Whatever a step met, it was to be passed over.
    }
    *result = VARIANT_FALSE;
    return S_OK;
  }

  // Always empty text; the window passes over whatever its load steps meet.
  HRESULT STDMETHODCALLTYPE ShowReportABug(BSTR* result) override {
    if (!result) return FailNullPointer();
    *result = nullptr;
    const HRESULT hr = ShowModal(windows::SharedStandardWindows().reportABug, [] {});
    if (SUCCEEDED(hr)) *result = SysAllocString(L"");
    return hr;
  }

  // Never fails: no address, for whatever reason, is empty text.
  HRESULT STDMETHODCALLTYPE ShowReportABugPath(BSTR* result) override {
    if (!result) return FailNullPointer();
    std::string address;
    try {
      Win32Environment environment;
      Win32FileSystem files;
      Win32UrlTransfer transfer;
      Win32HostThread thread;
      Win32Registry registry;
      address = FetchReportABugAddress({environment, files, transfer, thread},
                                       UpdateServer(registry), DownloadSeconds(registry));
    } catch (...) {
      // Every step already passes over its own failures; this is for running out of memory.
    }
    return Guarded([&] {
      *result = BstrFromUtf8(address);
      return S_OK;
    });
  }

  HRESULT STDMETHODCALLTYPE SetProductName(BSTR* productSymbol) override {
    if (!productSymbol) return FailNullPointer();
    return Guarded([&] {
      SharedHostValues().productSymbol = Utf8FromBstr(*productSymbol);
      return S_OK;
    });
  }

 private:
  // Stores what the window is to show (`prepare`), then shows it modally; a window that is
  // open already is refused before anything changes.
  template <typename Prepare>
  HRESULT ShowModal(windows::SharedWindow& window, Prepare&& prepare) {
    // A host's handler may release its last reference while the window is open; the object
    // lives until the call has returned.
    const Microsoft::WRL::ComPtr<ClsInfoObject> self(this);
    return Guarded([&] {
      Win32Forms forms;
      Win32FileSystem files;
      Win32Environment environment;
      Win32ProgramLauncher programs;
      Win32MessageBoxes messages;
      Win32Registry registry;
      Win32SaveDialogs saveDialogs;
      Win32CompoundDocuments documents;
      Win32UrlTransfer transfer;
      Win32HostThread hostThread;
      windows::WindowServices services{forms,    files,       environment, programs,
                                       messages, registry,    saveDialogs, documents,
                                       transfer, hostThread};
      try {
        window.RefuseIfOpen();
        prepare();
        window.Show(services);
      } catch (const windows::WindowAlreadyOpen& open) {
        return Fail(kWindowAlreadyOpen, WideFromUtf8(open.what()));
      } catch (const windows::ShortcutListError& error) {
        return FailAsVisualBasic(error);
      }
      return S_OK;
    });
  }

  HRESULT FailAsVisualBasic(const windows::ShortcutListError& error) const {
    return Fail(VbRuntimeError(error.number()), WideFromUtf8(error.what()));
  }
};

}  // namespace

HRESULT CreateClsInfo(REFIID iid, void** object) {
  return CreateAutomationObject<ClsInfoObject>(iid, object);
}

}  // namespace tesk::win32
