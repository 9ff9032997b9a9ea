// The dialog "Extra" reached from the configuration dialog: what Ok keeps in Zorvak-extra.ini,
// what Cancel leaves alone, and how it looks without any speech engine.
#include "core/game/roeper.h"
#include "core/settings/extrainstellingen.h"
#include "opnamestem.h"
#include "testhulp.h"
#include "widgets/settings/config.h"
#include "widgets/settings/extra.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

class TstExtra : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestHulp::Opstelling> m_op;
    OpnameStem* m_stem = nullptr;

    Main& hoofd() { return m_op->main(); }
    RoepInstellingen bewaard() { return RoepInstellingen::lees(ExtraInstellingen(m_op->map.path())); }

    // Opens "Extra" with its button in the configuration dialog and hands it to `doe`.
    void viaConfig(const std::function<void(Extra&)>& doe)
    {
        auto dlg = hoofd().maakConfig();
        Config& config = *dlg;
        QTimer::singleShot(0, &config, [&] {
            QTimer::singleShot(0, &config, [&] {
                auto* extra = qobject_cast<Extra*>(QApplication::activeModalWidget());
                if (extra) doe(*extra);
                if (extra && extra->isVisible()) extra->reject();
                config.reject();
            });
            config.ExtraKnop->click();
        });
        config.exec();
    }

private slots:
    void init()
    {
        m_op = std::make_unique<TestHulp::Opstelling>(QByteArray(), false);
        m_stem = OpnameStem::zetIn(hoofd().avond().roeper());
    }
    void cleanup() { m_op.reset(); }

    // Cancel keeps the old settings and the old voice; Ok keeps the new ones, in the file too.
    void cancelEnOk()
    {
        viaConfig([&](Extra& d) {
            QVERIFY(!d.Check1->isChecked() && !d.Check3->isChecked() && d.Label6->isHidden());
            QCOMPARE(d.Combo1->itemData(0).toString(), QStringLiteral("nl_NL|Anna"));
            d.Check1->setChecked(true);
            d.Combo1->setCurrentIndex(1);
            d.ProefKnop->click();
            d.CancelKnop->click();
        });
        QCOMPARE(m_stem->gezegd.size(), 1);
        QVERIFY(!hoofd().avond().roeper().instellingen().spreken);
        QCOMPARE(m_stem->stemId, QString());

        viaConfig([&](Extra& d) {
            d.Check1->setChecked(true);
            d.Combo1->setCurrentIndex(1);
            d.OptionKien->setChecked(true);
            d.Check3->setChecked(true);
            d.HScroll3->setValue(7);
            QCOMPARE(d.Label9->text(), QStringLiteral("Elke 7 seconden een bal"));
            d.OkKnop->click();
        });
        const RoepInstellingen r = hoofd().avond().roeper().instellingen();
        QVERIFY(r.spreken && r.kienen && r.zelfTrekken && r.interval == 7);
        QCOMPARE(m_stem->stemId, QStringLiteral("de_DE|Karl"));
        QCOMPARE(bewaard(), r);
    }

    // Without an engine the voice part cannot be used and says why; calling by itself still can.
    void zonderSpraak()
    {
        m_stem->heeftStemmen = false;
        viaConfig([&](Extra& d) {
            QCOMPARE(d.Label6->text(), QStringLiteral("Spraak is niet beschikbaar op deze computer."));
            QVERIFY(d.Label6->isVisible() && !d.Check1->isEnabled() && d.Check3->isEnabled());
            d.Check3->setChecked(true);
            d.OkKnop->click();
        });
        QVERIFY(bewaard().zelfTrekken);
    }
};

QTEST_MAIN(TstExtra)
#include "tst_extra.moc"
