#include "common/DragDrop.h"

#include "common/ComPtr.h"
#include "common/Fault.h"
#include "common/Handles.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <new>
#include <utility>

namespace tavlo {
namespace {

bool IsFileListRequest(const FORMATETC* f)
{
    return f && f->cfFormat == CF_HDROP && (f->tymed & TYMED_HGLOBAL) && f->dwAspect == DVASPECT_CONTENT &&
           (f->lindex == -1 || f->lindex == 0) && f->ptd == nullptr;
}

} // namespace

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

HGLOBAL BuildFileList(const std::vector<std::wstring>& paths)
{
    std::size_t chars = 1; // the list's closing NUL
    for (const auto& p : paths) chars += p.size() + 1;
    if (paths.empty()) chars = 2; // an empty list is still double-NUL terminated
    const std::size_t bytes = sizeof(DROPFILES) + chars * sizeof(wchar_t);
    GlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!memory) return nullptr;
    {
        const GlobalLockGuard lock(memory.get());
        auto* block = static_cast<unsigned char*>(lock.get());
        if (!block) return nullptr;
        auto* header = reinterpret_cast<DROPFILES*>(block);
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        auto* out = reinterpret_cast<wchar_t*>(block + sizeof(DROPFILES));
        for (const auto& p : paths) {
            std::memcpy(out, p.c_str(), (p.size() + 1) * sizeof(wchar_t));
            out += p.size() + 1;
        }
        *out = L'\0';
    }
    // The caller owns it from here.
    return memory.release();
}

std::vector<std::wstring> ReadDroppedFiles(IDataObject* data)
{
    std::vector<std::wstring> paths;
    if (!data) return paths;
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return paths;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        const auto drop = static_cast<HDROP>(medium.hGlobal);
        const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        paths.reserve(count);
        for (UINT i = 0; i < count; ++i) {
            // Asked for the length first so that paths beyond MAX_PATH come through whole.
            const UINT len = DragQueryFileW(drop, i, nullptr, 0);
            std::wstring path(len + 1, L'\0');
            const UINT got = DragQueryFileW(drop, i, path.data(), len + 1);
            path.resize(got);
            // Some readers count the empty list as one empty name.
            if (!path.empty()) paths.push_back(std::move(path));
        }
    }
    ReleaseStgMedium(&medium);
    return paths;
}

// ---- FileListDataObject

FileListDataObject* FileListDataObject::Create(PathListFn paths)
{
    return new (std::nothrow) FileListDataObject(std::move(paths));
}

STDMETHODIMP FileListDataObject::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDataObject) {
        *ppv = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FileListDataObject::AddRef() { return ++refs_; }
STDMETHODIMP_(ULONG) FileListDataObject::Release()
{
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP FileListDataObject::GetData(FORMATETC* format, STGMEDIUM* medium)
{
    if (!format || !medium) return E_INVALIDARG;
    *medium = STGMEDIUM{};
    if (!IsFileListRequest(format)) return DV_E_FORMATETC;
    try {
        HGLOBAL h = BuildFileList(paths_ ? paths_() : std::vector<std::wstring>{});
        if (!h) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = h;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    } catch (...) {
        ReportFault("FileListDataObject::GetData");
        return E_UNEXPECTED;
    }
}

STDMETHODIMP FileListDataObject::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }

STDMETHODIMP FileListDataObject::QueryGetData(FORMATETC* format)
{
    if (!format) return E_INVALIDARG;
    if (format->cfFormat != CF_HDROP) return DV_E_FORMATETC;
    if (!(format->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    if (format->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!IsFileListRequest(format)) return DV_E_FORMATETC;
    return S_OK;
}

STDMETHODIMP FileListDataObject::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out)
{
    if (!out) return E_INVALIDARG;
    out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

// The shell offers extra formats back (drop descriptions, performed effects); none is kept.
STDMETHODIMP FileListDataObject::SetData(FORMATETC*, STGMEDIUM*, BOOL) { return E_NOTIMPL; }

STDMETHODIMP FileListDataObject::EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator)
{
    if (!enumerator) return E_INVALIDARG;
    *enumerator = nullptr;
    if (direction != DATADIR_GET) return E_NOTIMPL;
    try {
        *enumerator = FormatEnumerator::Create({FileListFormat()});
    } catch (...) {
        ReportFault("FileListDataObject::EnumFormatEtc");
        return E_OUTOFMEMORY;
    }
    return *enumerator ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP FileListDataObject::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP FileListDataObject::DUnadvise(DWORD) { return OLE_E_ADVISENOTSUPPORTED; }
STDMETHODIMP FileListDataObject::EnumDAdvise(IEnumSTATDATA**) { return OLE_E_ADVISENOTSUPPORTED; }

// ---- FormatEnumerator

FormatEnumerator* FormatEnumerator::Create(std::vector<FORMATETC> formats, ULONG position)
{
    return new (std::nothrow) FormatEnumerator(std::move(formats), position);
}

STDMETHODIMP FormatEnumerator::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IEnumFORMATETC) {
        *ppv = static_cast<IEnumFORMATETC*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FormatEnumerator::AddRef() { return ++refs_; }
STDMETHODIMP_(ULONG) FormatEnumerator::Release()
{
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP FormatEnumerator::Next(ULONG count, FORMATETC* out, ULONG* fetched)
{
    if (!out || (count != 1 && !fetched)) return E_INVALIDARG;
    ULONG n = 0;
    while (n < count && position_ < formats_.size()) out[n++] = formats_[position_++];
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP FormatEnumerator::Skip(ULONG count)
{
    const ULONG left = static_cast<ULONG>(formats_.size()) - position_;
    if (count > left) {
        position_ = static_cast<ULONG>(formats_.size());
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

STDMETHODIMP FormatEnumerator::Reset()
{
    position_ = 0;
    return S_OK;
}

STDMETHODIMP FormatEnumerator::Clone(IEnumFORMATETC** out)
{
    if (!out) return E_INVALIDARG;
    try {
        *out = Create(formats_, position_);
    } catch (...) {
        ReportFault("FormatEnumerator::Clone");
        *out = nullptr;
    }
    return *out ? S_OK : E_OUTOFMEMORY;
}

// ---- FileDropSource

FileDropSource* FileDropSource::Create() { return new (std::nothrow) FileDropSource(); }

STDMETHODIMP FileDropSource::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
        *ppv = static_cast<IDropSource*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FileDropSource::AddRef() { return ++refs_; }
STDMETHODIMP_(ULONG) FileDropSource::Release()
{
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP FileDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState)
{
    if (escapePressed) return DRAGDROP_S_CANCEL;
    if (!(keyState & MK_LBUTTON)) return DRAGDROP_S_DROP;
    return S_OK;
}

STDMETHODIMP FileDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

// ---- FileDropTarget

FileDropTarget* FileDropTarget::Create(DroppedFn onDrop) { return new (std::nothrow) FileDropTarget(std::move(onDrop)); }

STDMETHODIMP FileDropTarget::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *ppv = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) FileDropTarget::AddRef() { return ++refs_; }
STDMETHODIMP_(ULONG) FileDropTarget::Release()
{
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
}

DWORD FileDropTarget::EffectFor(DWORD allowed) const
{
    return acceptable_ && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

STDMETHODIMP FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    if (!effect) return E_INVALIDARG;
    FORMATETC format = FileListFormat();
    acceptable_ = data && data->QueryGetData(&format) == S_OK;
    *effect = EffectFor(*effect);
    return S_OK;
}

STDMETHODIMP FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect)
{
    if (!effect) return E_INVALIDARG;
    *effect = EffectFor(*effect);
    return S_OK;
}

STDMETHODIMP FileDropTarget::DragLeave()
{
    acceptable_ = false;
    return S_OK;
}

STDMETHODIMP FileDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect)
{
    if (!effect) return E_INVALIDARG;
    FORMATETC format = FileListFormat();
    acceptable_ = data && data->QueryGetData(&format) == S_OK;
    *effect = EffectFor(*effect);
    acceptable_ = false;
    try {
        // Called for every drop, also one without files: the window re-evaluates its buttons then.
        std::vector<std::wstring> paths = *effect == DROPEFFECT_COPY ? ReadDroppedFiles(data)
                                                                     : std::vector<std::wstring>{};
        if (onDrop_) onDrop_(paths);
    } catch (...) {
        ReportFault("DropTarget::Drop");
        // A failing handler must not cross into the OLE caller.
    }
    return S_OK;
}

// ---- helpers for windows

DWORD DragFilesOut(PathListFn paths)
{
    const ComPtr<FileListDataObject> data(FileListDataObject::Create(std::move(paths)));
    const ComPtr<FileDropSource> source(FileDropSource::Create());
    DWORD effect = DROPEFFECT_NONE;
    if (data && source && DoDragDrop(data.Get(), source.Get(), DROPEFFECT_COPY, &effect) != DRAGDROP_S_DROP)
        effect = DROPEFFECT_NONE;
    return effect;
}

DropTargetRegistration::DropTargetRegistration(HWND window, DroppedFn onDrop)
{
    // The registration holds a reference of its own.
    const ComPtr<FileDropTarget> target(FileDropTarget::Create(std::move(onDrop)));
    if (target && SUCCEEDED(RegisterDragDrop(window, target.Get()))) window_ = window;
}

DropTargetRegistration::~DropTargetRegistration() { Revoke(); }

DropTargetRegistration::DropTargetRegistration(DropTargetRegistration&& other) noexcept
    : window_(std::exchange(other.window_, nullptr))
{
}

DropTargetRegistration& DropTargetRegistration::operator=(DropTargetRegistration&& other) noexcept
{
    if (this != &other) {
        Revoke();
        window_ = std::exchange(other.window_, nullptr);
    }
    return *this;
}

void DropTargetRegistration::Revoke()
{
    if (window_) RevokeDragDrop(window_);
    window_ = nullptr;
}

} // namespace tavlo
