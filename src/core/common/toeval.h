#pragma once

#include <QRandomGenerator>

// The one source of chance of the program: draws, cards and Kien layouts.
// The program uses the operating system's secure generator; tests give a seeded one.
class Toeval
{
public:
    virtual ~Toeval() = default;
    // A whole number from laag to hoog, both included, every one equally likely.
    virtual int getal(int laag, int hoog) = 0;

    static Toeval& systeem();
};

class VasteToeval : public Toeval
{
public:
    explicit VasteToeval(quint32 zaad) : m_gen(zaad) {}
    int getal(int laag, int hoog) override { return m_gen.bounded(laag, hoog + 1); }

private:
    QRandomGenerator m_gen;
};
