#pragma once
// OLE drag and drop of file lists (CF_HDROP only, copy effect only): a data object that builds its
// file list when the drop target asks for it, the matching drop source, a drop target that takes
// dropped files, and reading the file list out of any data object.
#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace tavlo {

using PathListFn = std::function<std::vector<std::wstring>()>;
using DroppedFn = std::function<void(const std::vector<std::wstring>& paths)>;

// The FORMATETC of a file list in global memory.
FORMATETC FileListFormat();

// The file paths of `data`'s CF_HDROP in the order it lists them; empty when it has none.
std::vector<std::wstring> ReadDroppedFiles(IDataObject* data);

// A CF_HDROP block (DROPFILES followed by wide, double-NUL-terminated paths) in movable global
// memory, or null on failure. The caller owns it.
HGLOBAL BuildFileList(const std::vector<std::wstring>& paths);

// Offers exactly one format, CF_HDROP in global memory; the paths come from `paths` each time the
// data is asked for.
class FileListDataObject final : public IDataObject {
public:
    // Created with one reference, owned by the caller.
    static FileListDataObject* Create(PathListFn paths);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
    STDMETHODIMP QueryGetData(FORMATETC* format) override;
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
    STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** enumerator) override;
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
    STDMETHODIMP DUnadvise(DWORD) override;
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override;

private:
    explicit FileListDataObject(PathListFn paths) : paths_(std::move(paths)) {}
    ~FileListDataObject() = default;

    std::atomic<ULONG> refs_{1};
    PathListFn paths_;
};

// Enumerates one fixed list of formats (the data object's single CF_HDROP).
class FormatEnumerator final : public IEnumFORMATETC {
public:
    static FormatEnumerator* Create(std::vector<FORMATETC> formats, ULONG position = 0);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP Next(ULONG count, FORMATETC* out, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumFORMATETC** out) override;

private:
    FormatEnumerator(std::vector<FORMATETC> formats, ULONG position)
        : formats_(std::move(formats)), position_(position) {}
    ~FormatEnumerator() = default;

    std::atomic<ULONG> refs_{1};
    std::vector<FORMATETC> formats_;
    ULONG position_;
};

// The source side of a drag with the left mouse button: Escape cancels, releasing the button drops.
class FileDropSource final : public IDropSource {
public:
    static FileDropSource* Create();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
    STDMETHODIMP GiveFeedback(DWORD effect) override;

private:
    FileDropSource() = default;
    ~FileDropSource() = default;

    std::atomic<ULONG> refs_{1};
};

// Accepts only data that offers CF_HDROP, with the copy effect, and hands the dropped paths (in
// the data's order) to `onDrop`.
class FileDropTarget final : public IDropTarget {
public:
    static FileDropTarget* Create(DroppedFn onDrop);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL pt, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;

private:
    explicit FileDropTarget(DroppedFn onDrop) : onDrop_(std::move(onDrop)) {}
    ~FileDropTarget() = default;
    DWORD EffectFor(DWORD allowed) const;

    std::atomic<ULONG> refs_{1};
    DroppedFn onDrop_;
    bool acceptable_ = false;
};

// Runs a modal drag of the paths that `paths` supplies on demand, copy effect only. Returns the
// effect that the drop target reported (DROPEFFECT_NONE when cancelled or refused).
DWORD DragFilesOut(PathListFn paths);

// Registers a window as a drop target for as long as this object lives (OLE must be initialised
// on the thread). The window keeps a reference to the target while registered.
class DropTargetRegistration {
public:
    DropTargetRegistration() = default;
    DropTargetRegistration(HWND window, DroppedFn onDrop);
    ~DropTargetRegistration();
    DropTargetRegistration(DropTargetRegistration&& other) noexcept;
    DropTargetRegistration& operator=(DropTargetRegistration&& other) noexcept;
    DropTargetRegistration(const DropTargetRegistration&) = delete;
    DropTargetRegistration& operator=(const DropTargetRegistration&) = delete;

    explicit operator bool() const { return window_ != nullptr; }

private:
    void Revoke();
    HWND window_ = nullptr;
};

} // namespace tavlo
