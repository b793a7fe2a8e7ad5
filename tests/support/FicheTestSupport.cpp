#include "FicheTestSupport.h"

#include "LineGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

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

namespace {

template <class Control>
Control *named(Form2 &form, const char *name)
{
    auto *control = form.findChild<Control *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
    if (!control)
        qFatal("FicheTest::Controls: the window has no control %s", name);
    return control;
}

}  // namespace

Controls::Controls(Form2 &window)
    : form(&window), fermer(named<QPushButton>(window, "fermer")), Label1(named<QLabel>(window, "Label1")),
      nbr(named<QLabel>(window, "nbr")), Label3(named<QLabel>(window, "Label3")),
      totaux(named<QLabel>(window, "totaux")), Ref(named<QComboBox>(window, "Ref")),
      qte(named<QLineEdit>(window, "qte")), prixvente(named<QLineEdit>(window, "prixvente")),
      remise(named<QLineEdit>(window, "remise")), total(named<QLineEdit>(window, "total")),
      desi(named<QLineEdit>(window, "desi")), bas(named<QPushButton>(window, "bas")),
      haut(named<QPushButton>(window, "haut")), Nouveau(named<QPushButton>(window, "Nouveau")),
      G(named<LineGrid>(window, "G"))
{}

void showActive(Form2 &form)
{
    form.show();
    form.activateWindow();
    if (!QTest::qWaitForWindowActive(&form))
        qWarning("FicheTest::showActive: the window did not become active");
}

CollectedReports::CollectedReports()
    : m_previous(setReportSink([this](const StandardReport &report) { m_reports.append(report); }))
{}

CollectedReports::~CollectedReports()
{
    setReportSink(std::move(m_previous));
}

}  // namespace FicheTest
