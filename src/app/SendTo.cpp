#include "app/SendTo.h"

#include "common/ComPtr.h"
#include "common/DragDrop.h"
#include "common/Handles.h"

#include <windows.h>
#include <shlobj.h>

#include <atomic>

namespace tavlo {

namespace {

constexpr UINT kNoDropMs = 60000;

// What the serving thread knows: the files of the drop, and how many objects are still held.
struct ServerState {
    std::optional<std::vector<std::wstring>> dropped;
    long objects = 0;
    DWORD thread = 0;

    void QuitWhenDone() const
    {
        if (dropped && objects == 0) PostThreadMessageW(thread, WM_QUIT, 0, 0);
    }
};
ServerState state;

// Explorer loads the entry file into the object (IPersistFile), then drops the selection on it.
class SendToTarget final : public IDropTarget, public IPersistFile {
public:
    SendToTarget() { ++state.objects; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IDropTarget) *ppv = static_cast<IDropTarget*>(this);
        else if (riid == IID_IPersistFile || riid == IID_IPersist) *ppv = static_cast<IPersistFile*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --refs_;
        if (left == 0) {
            delete this;
            --state.objects;
            state.QuitWhenDone();
        }
        return left;
    }

    STDMETHODIMP DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        FORMATETC format = FileListFormat();
        acceptable_ = data && data->QueryGetData(&format) == S_OK;
        return Effect(effect);
    }
    STDMETHODIMP DragOver(DWORD, POINTL, DWORD* effect) override { return Effect(effect); }
    STDMETHODIMP DragLeave() override { return S_OK; }
    // The files are taken and the call returns at once; the run follows once the shell lets go.
    STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        std::vector<std::wstring> files = ReadDroppedFiles(data);
        if (files.empty()) {
            if (effect) *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        if (!state.dropped) state.dropped = std::move(files);
        acceptable_ = true;
        return Effect(effect);
    }

    STDMETHODIMP GetClassID(CLSID* id) override
    {
        if (!id) return E_POINTER;
        *id = kSendToClass;
        return S_OK;
    }
    STDMETHODIMP IsDirty() override { return S_FALSE; }
    STDMETHODIMP Load(LPCOLESTR, DWORD) override { return S_OK; }
    STDMETHODIMP Save(LPCOLESTR, BOOL) override { return S_OK; }
    STDMETHODIMP SaveCompleted(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP GetCurFile(LPOLESTR* name) override
    {
        if (name) *name = nullptr;
        return E_NOTIMPL;
    }

private:
    ~SendToTarget() = default;
    HRESULT Effect(DWORD* effect) const
    {
        if (!effect) return E_INVALIDARG;
        // Renaming in place is neither a copy nor a move; the shell's own entries answer with copy.
        *effect = acceptable_ && (*effect & DROPEFFECT_COPY) ? DROPEFFECT_COPY : acceptable_ ? (*effect & DROPEFFECT_LINK) : DROPEFFECT_NONE;
        return S_OK;
    }
    std::atomic<ULONG> refs_{1};
    bool acceptable_ = false;
};

class SendToFactory final : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid != IID_IUnknown && riid != IID_IClassFactory) {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        *ppv = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    // Lives as long as the serving thread's stack frame.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override
    {
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* target = new (std::nothrow) SendToTarget();
        if (!target) return E_OUTOFMEMORY;
        const HRESULT hr = target->QueryInterface(riid, ppv);
        target->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

bool SetValue(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value)
{
    HKEY opened = nullptr;
    if (RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const RegKey owned(opened);
    return RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::wstring EntryPath()
{
    CoTaskMemPtr<wchar_t> folder;
    if (FAILED(SHGetKnownFolderPath(FOLDERID_SendTo, KF_FLAG_CREATE, nullptr, folder.put()))) return {};
    return std::wstring(folder.get()) + L"\\Tavlo2" + kSendToExtension;
}

const std::wstring kClasses = L"Software\\Classes\\";

} // namespace

SendToOption SendToOptionOf(const std::wstring& arguments)
{
    std::wstring lower = arguments;
    for (wchar_t& c : lower)
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (lower == L"-embedding" || lower == L"/embedding") return SendToOption::Serve;
    if (lower == L"/sendto") return SendToOption::Add;
    if (lower == L"/sendto-") return SendToOption::Remove;
    return SendToOption::None;
}

std::optional<std::vector<std::wstring>> ServeSendToDrop()
{
    state = ServerState{};
    state.thread = GetCurrentThreadId();
    SendToFactory factory;
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(kSendToClass, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie)))
        return std::nullopt;
    // A start with no drop after it (the shell changed its mind) ends by itself.
    const UINT_PTR timer = SetTimer(nullptr, 0, kNoDropMs, nullptr);
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer && !state.dropped && state.objects == 0)
            break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    KillTimer(nullptr, timer);
    CoRevokeClassObject(cookie);
    return std::move(state.dropped);
}

bool AddSendToEntry(const std::wstring& program)
{
    const std::wstring entry = EntryPath();
    bool done = !entry.empty();
    done = SetValue(HKEY_CURRENT_USER, kClasses + L"CLSID\\" + kSendToClassText, nullptr, L"Tavlo2") && done;
    done = SetValue(HKEY_CURRENT_USER, kClasses + L"CLSID\\" + kSendToClassText + L"\\LocalServer32", nullptr,
                    L"\"" + program + L"\"") && done;
    done = SetValue(HKEY_CURRENT_USER, kClasses + kSendToExtension, nullptr, kSendToProgId) && done;
    done = SetValue(HKEY_CURRENT_USER, kClasses + kSendToProgId, nullptr, L"Tavlo2") && done;
    done = SetValue(HKEY_CURRENT_USER, kClasses + kSendToProgId, L"NeverShowExt", L"") && done;
    done = SetValue(HKEY_CURRENT_USER, kClasses + kSendToProgId + L"\\DefaultIcon", nullptr, program + L",0") && done;
    done = SetValue(HKEY_CURRENT_USER, kClasses + kSendToProgId + L"\\shellex\\DropHandler", nullptr, kSendToClassText) && done;
    if (!entry.empty()) {
        const FileHandle file(CreateFileW(entry.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        done = static_cast<bool>(file) && done;
    }
    if (done) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return done;
}

bool RemoveSendToEntry()
{
    bool done = true;
    for (const std::wstring& key : {kClasses + L"CLSID\\" + kSendToClassText, kClasses + kSendToExtension, kClasses + kSendToProgId}) {
        const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
        if (status == ERROR_SUCCESS) RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
        done = (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND) && done;
    }
    const std::wstring entry = EntryPath();
    done = !entry.empty() && (DeleteFileW(entry.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND) && done;
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return done;
}

} // namespace tavlo
