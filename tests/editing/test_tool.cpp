#include "test_tool.h"

namespace edittest {

TestTool::TestTool(EditRig& rig, char code, vemo::qt::EditController* controller)
    : EditToolController(rig.qml.get(), QUrl::fromLocalFile(EDITING_TEST_DIR "/InShiftTestTool.qml"), controller,
                         rig.engine, code, nullptr, true)
{
}

void TestTool::ConnectDocument()
{
    QObject* panel = WindowChild("barAndBeatPanel");
    ConnectWindow(panel, SIGNAL(inBeatInputUpdateRequest(QVariant)), SLOT(onInBeatInputUpdateRequest(QVariant)));
    ConnectWindow(panel, SIGNAL(outBeatInputUpdateRequest(QVariant)), SLOT(onOutBeatInputUpdateRequest(QVariant)));
}

void TestTool::AfterBarBeatChanged()
{
    ++afterBarBeatChanges;
    ApplyInShiftLimits();
}

} // namespace edittest
