#include "StartUp.h"

#include "CatalogueWarmUp.h"
#include "EventLoopEntries.h"
#include "Form2.h"
#include "RecordFolders.h"

#include <QTimer>

std::unique_ptr<Form2> startWindow(const QString &databaseFile, const RegionalSettings &regional,
                                   CatalogueWarmUp *warmUp)
{
    std::unique_ptr<Form2> window;
    bool failed = false;
    AtEventLoop(
        [&] {
            window = std::make_unique<Form2>(databaseFile, regional);
            if (warmUp)
                warmUp->finish();
            window->Form_Load();
            // Undoing goes back as far as the sheet Form_Load listed, not before; the
            // recovery record starts from it too.
            window->startHistory();
            window->startRecord(recordsFolder());
        },
        [&](const RuntimeError &failure) {
            report(failure);
            failed = true;
        });
    if (failed)
        return nullptr;
    return window;
}

void showWindow(Form2 &window)
{
    window.show();
    // A sheet to find again is asked for over the window, once it shows.
    QTimer::singleShot(0, &window, [&window] { runAction([&] { window.offerRecovery(); }); });
    if (std::optional<QString> notice = window.module1().leftOutNotice()) {
        // Over the window, once it shows.
        QTimer::singleShot(0, &window, [notice = std::move(*notice)] { runAction([&] { warn(notice); }); });
    }
}
