#include "FicheTestSupport.h"

#include <QTest>

namespace {

// The windows' recovery records (src/record) of every test in a folder of its own, never the
// user's: CTest gives each test one (tests/CMakeLists.txt); a test run by hand makes its own.
struct OwnStateFolder {
    OwnStateFolder()
    {
        if (qEnvironmentVariableIsEmpty("XDG_STATE_HOME"))
            qputenv("XDG_STATE_HOME", QFile::encodeName(folder.path()));
    }
    QTemporaryDir folder;
};
const OwnStateFolder ownStateFolder;

}  // namespace

namespace FicheTest {

RegionalSettings frenchSettings()
{
    return RegionalSettings::fromLocale(QLocale(QLocale::French, QLocale::France));
}

QString writeCatalogue(const QTemporaryDir &dir, const QString &tsv, const WriterOptions &options,
                       const QString &fileName)
{
    const QString path = dir.filePath(fileName);
    createCatalogueFromTsv(tsv, path, options);
    return path;
}

std::unique_ptr<Form2> loadForm(const QString &catalogue, const RegionalSettings &regional)
{
    auto form = std::make_unique<Form2>(catalogue, regional);
    form->Form_Load();
    return form;
}

void showActive(Form2 &form)
{
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        qWarning("FicheTest::showActive: the window did not become active");
}

void WindowFixture::openWindow(const QString &tsv, const RegionalSettings &regional, Showing showing)
{
    closeWindow();
    QVERIFY(m_dir.isValid());
    m_form = loadForm(writeCatalogue(m_dir, tsv), regional);
    m_ui = Controls(*m_form);
    if (showing == Showing::Active)
        showActive(*m_form);
}

void WindowFixture::closeWindow()
{
    m_ui = Controls();
    m_form.reset();
}

CollectedReports::CollectedReports()
    : m_previous(setReportSink([this](const StandardReport &report) { m_reports.append(report); }))
{}

CollectedReports::~CollectedReports()
{
    setReportSink(std::move(m_previous));
}

}  // namespace FicheTest
