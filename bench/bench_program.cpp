// The visible program under load: a run over 1000 files with the windows shown, against the engine
// alone over the same number of files; 1000 files dropped on an empty target list; 30002 log lines.
// Prints figures; asserts nothing. Needs a display (xvfb-run).
#include "RecordingSinks.h"
#include "TestSupport.h"
#include "app/frmTavlo.h"
#include "common/DragDrop.h"
#include "engine/RenameEngine.h"
#include "settings/RegistryStore.h"
#include "settings/RegistryTestRoot.h"

#include <commctrl.h>
#include <ole2.h>

#include <chrono>
#include <cstdio>
#include <functional>

namespace {

using tavlo::test::TempDir;
using Clock = std::chrono::steady_clock;

constexpr int kFiles = 1000;

double Seconds(const std::function<void()>& work)
{
    auto start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::vector<std::wstring> Fill(const TempDir& dir)
{
    std::vector<std::wstring> paths;
    for (int i = 0; i < kFiles; ++i) {
        wchar_t name[32];
        swprintf(name, 32, L"file%04d.html", i);
        paths.push_back(dir.Write(name, "x"));
    }
    return paths;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Drops `paths` on the target list the way another program does: through a real file-list object.
void Drop(tavlo::mdiFile& target, const std::vector<std::wstring>& paths)
{
    tavlo::FileListDataObject* data = tavlo::FileListDataObject::Create([paths] { return paths; });
    target.lstFile_OLEDragDrop(tavlo::ReadDroppedFiles(data));
    data->Release();
}

} // namespace

int main()
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    OleInitialize(nullptr);
    {
        tavlo::test::RegistryTestRoot root;
        tavlo::RegistryStore store(root.path());
        tavlo::frmTavlo frame(store);
        frame.SetQuitOnDestroy(false);
        if (!frame.Create() || !frame.MDIForm_Load(L"")) {
            std::printf("the main window did not load\n");
            return 1;
        }
        frame.Show();
        frame.MDIForm_Activate();
        Pump();

        TempDir visibleDir, engineDir;
        std::vector<std::wstring> visibleFiles = Fill(visibleDir);
        std::vector<std::wstring> engineFiles = Fill(engineDir);

        double drop = Seconds([&] { Drop(frame.FileWindow(), visibleFiles); });
        Pump();
        std::printf("drop of %d files on an empty list     %8.1f ms (%d listed)\n", kFiles, drop * 1000,
                    static_cast<int>(SendMessageW(frame.FileWindow().lstFile(), LB_GETCOUNT, 0, 0)));

        double visible = Seconds([&] { frame.btnExe_Click(tavlo::ModeCutToThree); });
        tavlo::test::RecordingLog log;
        tavlo::test::RecordingResults results;
        tavlo::OptionState opts;
        tavlo::RenameEngine engine(tavlo::SystemFileSystem(), log, results, opts);
        double alone = Seconds([&] {
            for (const std::wstring& path : engineFiles) engine.ChangeExtension(path, tavlo::ModeCutToThree);
        });
        std::printf("run over %d files, windows shown        %8.1f ms\n", kFiles, visible * 1000);
        std::printf("engine alone over %d files               %8.1f ms   ratio %.2f (target <= 2.00)\n", kFiles,
                    alone * 1000, visible / alone);

        frame.StatusWindow().RefreshForm();
        double lines = Seconds([&] {
            for (int i = 0; i < 30002; ++i) frame.StatusWindow().ListInAdd(L"\u3000log line " + std::to_wstring(i));
        });
        Pump();
        std::printf("30002 log lines appended                %8.1f ms (%.1f us a line)\n", lines * 1000,
                    lines * 1e6 / 30002);
        frame.MDIForm_QueryUnload();
    }
    OleUninitialize();
    return 0;
}
