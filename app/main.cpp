#include "app/tolbrin_app.h"

#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(com_quorvane_vemo_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_musical_uiPlugin)
Q_IMPORT_QML_PLUGIN(com_quorvane_tolbrin2_uiPlugin)

int main(int argc, char** argv)
{
    vemo::qt::TolbrinApp app(argc, argv);
    app.DeleteLauncher();
    vemo::qt::DeliverDeferredDeletes();
    app.DeleteEngine();
    app.DeleteApplication();
    return app.ExitCode();
}
