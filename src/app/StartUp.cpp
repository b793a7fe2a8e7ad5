#include "StartUp.h"

#include "Form2.h"
#include "StandardReport.h"

std::unique_ptr<Form2> startWindow(const RegionalSettings &regional)
{
    auto window = std::make_unique<Form2>(regional);
    try {
        window->Form_Load();
    } catch (const RuntimeError &failure) {
        report(failure);
        return nullptr;
    }
    return window;
}
