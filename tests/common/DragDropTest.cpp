#include "common/DragDrop.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

namespace tavlo {
namespace {

using Paths = std::vector<std::wstring>;

// Text only, no file list: what a drag from an editor offers.
class TextOnlyData final : public IDataObject {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *ppv = this;
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetData(FORMATETC* f, STGMEDIUM*) override { return QueryGetData(f); }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* f) override
    {
        return f->cfFormat == CF_UNICODETEXT ? S_OK : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP DUnadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

// Releases a COM object at scope end.
template <typename T>
struct Ref {
    T* p;
    ~Ref()
    {
        if (p) p->Release();
    }
    T* operator->() const { return p; }
};

std::wstring LongPath()
{
    std::wstring p = L"C:";
    for (int i = 0; i < 9; ++i) p += L"\\" + std::wstring(60, static_cast<wchar_t>(L'a' + i));
    return p + L"\\拡張子変更.txt";
}

TEST(DragDrop, FileListIsBuiltWhenAskedForAndReadsBackInOrder)
{
    int calls = 0;
    Paths current = {L"C:\\A\\x.htm", LongPath(), L"D:\\データ\\ファイル 名.TXT"};
    Ref<FileListDataObject> data{FileListDataObject::Create([&] {
        ++calls;
        return current;
    })};
    ASSERT_NE(data.p, nullptr);
    EXPECT_EQ(calls, 0);

    EXPECT_EQ(ReadDroppedFiles(data.p), current);
    EXPECT_EQ(calls, 1);
    ASSERT_GT(current[1].size(), 500u);

    // The selection at the time of the request counts, not the one at the start of the drag.
    current = {L"C:\\only.txt"};
    EXPECT_EQ(ReadDroppedFiles(data.p), current);
    current.clear();
    EXPECT_TRUE(ReadDroppedFiles(data.p).empty());
    EXPECT_EQ(calls, 3);
}

TEST(DragDrop, OffersOnlyTheFileListInGlobalMemory)
{
    Ref<FileListDataObject> data{FileListDataObject::Create([] { return Paths{L"C:\\a"}; })};
    FORMATETC files = FileListFormat();
    EXPECT_EQ(data->QueryGetData(&files), S_OK);

    FORMATETC text = files;
    text.cfFormat = CF_UNICODETEXT;
    EXPECT_NE(data->QueryGetData(&text), S_OK);
    STGMEDIUM medium{};
    EXPECT_EQ(data->GetData(&text, &medium), DV_E_FORMATETC);
    EXPECT_EQ(medium.hGlobal, nullptr);

    FORMATETC stream = files;
    stream.tymed = TYMED_ISTREAM;
    EXPECT_NE(data->QueryGetData(&stream), S_OK);
    EXPECT_NE(data->GetData(&stream, &medium), S_OK);

    FORMATETC icon = files;
    icon.dwAspect = DVASPECT_ICON;
    EXPECT_NE(data->QueryGetData(&icon), S_OK);

    FORMATETC anyMedium = files;
    anyMedium.tymed = TYMED_HGLOBAL | TYMED_ISTREAM;
    ASSERT_EQ(data->GetData(&anyMedium, &medium), S_OK);
    EXPECT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    ReleaseStgMedium(&medium);
}

TEST(DragDrop, EnumeratesExactlyOneFormat)
{
    Ref<FileListDataObject> data{FileListDataObject::Create({})};
    IEnumFORMATETC* raw = nullptr;
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_SET, &raw), E_NOTIMPL);
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &raw), S_OK);
    Ref<IEnumFORMATETC> formats{raw};

    FORMATETC got[2]{};
    ULONG fetched = 0;
    EXPECT_EQ(formats->Next(2, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP);
    EXPECT_EQ(got[0].tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(formats->Next(1, got, nullptr), S_FALSE);

    EXPECT_EQ(formats->Reset(), S_OK);
    IEnumFORMATETC* rawClone = nullptr;
    ASSERT_EQ(formats->Clone(&rawClone), S_OK);
    Ref<IEnumFORMATETC> clone{rawClone};
    EXPECT_EQ(formats->Skip(1), S_OK);
    EXPECT_EQ(formats->Skip(1), S_FALSE);
    EXPECT_EQ(formats->Next(1, got, &fetched), S_FALSE);
    // The clone kept its own position.
    EXPECT_EQ(clone->Next(1, got, &fetched), S_OK);
    EXPECT_EQ(got[0].cfFormat, CF_HDROP);
}

TEST(DragDrop, ObjectsLiveExactlyAsLongAsTheirReferences)
{
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    FileListDataObject* data = FileListDataObject::Create([token] { return Paths{}; });
    token.reset();

    IDataObject* viaQuery = nullptr;
    ASSERT_EQ(data->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&viaQuery)), S_OK);
    IDropTarget* wrong = reinterpret_cast<IDropTarget*>(1);
    EXPECT_EQ(data->QueryInterface(IID_IDropTarget, reinterpret_cast<void**>(&wrong)), E_NOINTERFACE);
    EXPECT_EQ(wrong, nullptr);

    EXPECT_EQ(data->Release(), 1u);
    EXPECT_FALSE(watch.expired());
    EXPECT_EQ(viaQuery->Release(), 0u);
    EXPECT_TRUE(watch.expired());

    auto targetToken = std::make_shared<int>(0);
    std::weak_ptr<int> targetWatch = targetToken;
    FileDropTarget* target = FileDropTarget::Create([targetToken](const Paths&) {});
    targetToken.reset();
    EXPECT_EQ(target->AddRef(), 2u);
    EXPECT_EQ(target->Release(), 1u);
    EXPECT_FALSE(targetWatch.expired());
    EXPECT_EQ(target->Release(), 0u);
    EXPECT_TRUE(targetWatch.expired());
}

TEST(DragDrop, TargetOffersCopyOnlyForFileLists)
{
    std::vector<Paths> drops;
    Ref<FileDropTarget> target{FileDropTarget::Create([&](const Paths& p) { drops.push_back(p); })};
    Ref<FileListDataObject> files{FileListDataObject::Create([] { return Paths{L"C:\\1.txt", L"C:\\2.txt"}; })};
    TextOnlyData text;
    const POINTL pt{0, 0};

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target->DragEnter(files.p, MK_LBUTTON, pt, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragOver(MK_LBUTTON, pt, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_MOVE; // a source that cannot copy gets no effect
    target->DragOver(MK_LBUTTON, pt, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    target->DragLeave();
    effect = DROPEFFECT_COPY;
    target->DragOver(MK_LBUTTON, pt, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->DragEnter(&text, MK_LBUTTON, pt, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = DROPEFFECT_COPY;
    target->DragOver(MK_LBUTTON, pt, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(drops.empty());
}

TEST(DragDrop, DroppingHandsOverThePathsOfTheDropInOrder)
{
    std::vector<Paths> drops;
    Ref<FileDropTarget> target{FileDropTarget::Create([&](const Paths& p) { drops.push_back(p); })};
    const Paths sent = {L"C:\\z.txt", LongPath(), L"C:\\a.txt"};
    Ref<FileListDataObject> files{FileListDataObject::Create([&] { return sent; })};
    TextOnlyData text;
    const POINTL pt{0, 0};

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    target->DragEnter(files.p, MK_LBUTTON, pt, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(files.p, 0, pt, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0], sent);

    // Without a file list the handler still hears of the drop, with no paths.
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(target->Drop(&text, 0, pt, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_TRUE(drops[1].empty());

    // A throwing handler stays inside the target.
    Ref<FileDropTarget> throwing{FileDropTarget::Create([](const Paths&) { throw std::runtime_error("x"); })};
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(throwing->Drop(files.p, 0, pt, &effect), S_OK);
}

TEST(DragDrop, SourceDropsOnReleaseAndCancelsOnEscape)
{
    Ref<FileDropSource> source{FileDropSource::Create()};
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->QueryContinueDrag(TRUE, 0), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_COPY), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST(DragDrop, RegistrationHoldsTheTargetUntilItEnds)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    {
        DropTargetRegistration reg(window, [token](const Paths&) {});
        token.reset();
        ASSERT_TRUE(reg);
        EXPECT_FALSE(watch.expired());
        Ref<FileDropTarget> other{FileDropTarget::Create({})};
        EXPECT_EQ(RegisterDragDrop(window, other.p), DRAGDROP_E_ALREADYREGISTERED);

        DropTargetRegistration moved = std::move(reg);
        EXPECT_FALSE(reg);
        EXPECT_TRUE(moved);
    }
    EXPECT_TRUE(watch.expired());
    Ref<FileDropTarget> again{FileDropTarget::Create({})};
    EXPECT_EQ(RegisterDragDrop(window, again.p), S_OK);
    RevokeDragDrop(window);
    DestroyWindow(window);
    OleUninitialize();
}

} // namespace
} // namespace tavlo
