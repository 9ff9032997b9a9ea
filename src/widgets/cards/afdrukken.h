#pragma once

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

struct Algemeen;
class PaginaUitvoer;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class Toeval;

// The print dialog: pages of Bingo cards for 75 or 90 numbers or of Kien cards, with the
// organiser's text line, which it keeps in KaartTekst when closed with Exit.
class Afdrukken : public QDialog
{
    Q_OBJECT
public:
    Afdrukken(Algemeen& alg, Toeval& toeval, QWidget* ouder = nullptr);

    // What the dialog prints with. The program uses the default printer and the save dialog;
    // tests put their own in.
    struct Haken {
        // The default printer, or nothing when none is installed.
        std::function<std::unique_ptr<PaginaUitvoer>()> printer;
        // Asks where to save the PDF file, suggesting voorstel; empty when the user cancels.
        std::function<QString(QWidget* ouder, const QString& voorstel)> kiesPdfBestand;
    };
    static Haken& haken();
    static void herstelHaken();

    // Where the card register lives; numbering stays unavailable until it is given.
    void zetRegisterPad(const QString& pad) { m_registerPad = pad; }

    // Print P pages: one print job per page on the printer, or one PDF file when there is no
    // printer and the organiser wants one. The busy pointer shows while pages are made.
    void MaakKaarten(std::uint8_t aantalGetallen, std::uint8_t paginas);
    void MaakKienkaart(std::uint8_t paginas);

    // The page count in Combo1; false, after a message, when it is no whole number 0..255.
    bool leesPaginas(std::uint8_t& paginas);

    QRadioButton* option1(int index) const;

    std::uint8_t AantalGetallen = 75;

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QPushButton* BingoKnop = nullptr;
    QPushButton* KienKnop = nullptr;
    std::array<QRadioButton*, 2> Option1{}; // the indexes 75 and 90
    QButtonGroup* Option1Groep = nullptr;
    QComboBox* Combo1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* ExitKnop = nullptr;
    // Numbered cards: the choice, off when the dialog opens, and the series.
    QCheckBox* NummerKeuze = nullptr;
    QLabel* SerieLabel = nullptr;
    QLineEdit* SerieTekst = nullptr;

private:
    void nummerenGekozen(bool aan);
    void maakBesturing();
    void bingoGeklikt();
    void kienGeklikt();
    void exitGeklikt();
    void druk(bool bingo, int aantalGetallen, int paginas);

    Algemeen& m_alg;
    Toeval& m_toeval;
    QString m_registerPad;
};
