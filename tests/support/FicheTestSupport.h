#pragma once
// What the window's tests share: a catalogue written from tab-separated text into a
// temporary folder by the project's own writer, the real Form2 loaded on it, and the
// standard reports collected instead of shown.
//
//   QTemporaryDir dir;
//   const QString file = FicheTest::writeCatalogue(dir, FicheTest::ProductColumns +
//                                                       "\nA1\tVis\t2\t1234.5\n");
//   const auto form = FicheTest::loadForm(file);   // Form_Load has run
//   const FicheTest::Controls ui(*form);           // its controls
//   FicheTest::showActive(*form);                  // for keyboard and focus tests
//
// A test class that works on one window at a time takes WindowFixture as a second base.

#include "CatalogueWriter.h"
#include "Form2.h"
#include "ProductColumns.h"
#include "ReportBox.h"

#include <QList>
#include <QTemporaryDir>
#include <memory>

namespace FicheTest {

// French settings: comma as decimal separator, whatever the machine's locale.
RegionalSettings frenchSettings();

// Writes the catalogue into `dir` and returns its path. Throws CatalogueError on bad text.
QString writeCatalogue(const QTemporaryDir &dir, const QString &tsv, const WriterOptions &options = {},
                       const QString &fileName = QStringLiteral("QUARN.MDB"));

// A new window on `catalogue` (an empty path: the fixed one), with Form_Load run. A start-up
// failure leaves this function as the RuntimeError it is.
std::unique_ptr<Form2> loadForm(const QString &catalogue, const RegionalSettings &regional = frenchSettings());

// The window's controls, and the window itself for its handlers.
struct Controls : Form2Controls {
    Controls() = default;
    explicit Controls(Form2 &window) : Form2Controls(window.controls()), form(&window) {}

    Form2 *form = nullptr;
};

// Shows the window and waits until it is active, so keys and focus go where a user's would.
void showActive(Form2 &form);

// One window at a time for a test class (QObject first, this second):
//
//   class RecalculationTest : public QObject, private FicheTest::WindowFixture {
//       void init() { openWindow(ProductColumns + "\nB1\tBloc\t3\t2.5\n"); }
//       void cleanup() { closeWindow(); }
//
// `m_form` and `m_ui` are the window and its controls while it is open; `m_dir` is the
// test's folder, which holds the catalogue "QUARN.MDB".
class WindowFixture {
protected:
    enum class Showing { Active, Hidden };

    // The catalogue `tsv` written anew and a window loaded on it (Form_Load run), by default
    // shown and active so that keys and clicks go where a user's would. A window open
    // before goes.
    void openWindow(const QString &tsv, const RegionalSettings &regional = frenchSettings(),
                    Showing showing = Showing::Active);
    void closeWindow();

    QTemporaryDir m_dir;
    std::unique_ptr<Form2> m_form;
    Controls m_ui;
};

// Collects the standard reports while it lives, instead of printing and showing them.
class CollectedReports {
public:
    CollectedReports();
    ~CollectedReports();
    CollectedReports(const CollectedReports &) = delete;
    CollectedReports &operator=(const CollectedReports &) = delete;

    const QList<StandardReport> &reports() const { return m_reports; }

private:
    QList<StandardReport> m_reports;
    ReportSink m_previous;
};

}  // namespace FicheTest
