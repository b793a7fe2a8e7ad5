#include "StartUp.h"

#include "ErrorMode.h"
#include "Form2.h"
#include "ReportBox.h"

std::unique_ptr<Form2> startWindow(const QString &databaseFile, const RegionalSettings &regional)
{
    std::unique_ptr<Form2> window;
    bool failed = false;
    AtEventLoop(
        [&] {
            window = std::make_unique<Form2>(databaseFile, regional);
            window->Form_Load();
        },
        [&](const RuntimeError &failure) {
            report(failure);
            failed = true;
        });
    if (failed)
        return nullptr;
    return window;
}
