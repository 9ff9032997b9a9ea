#pragma once

#include <QCursor>
#include <QGuiApplication>

// The busy pointer over the whole program for as long as it lives.
class BezigeWijzer
{
public:
    BezigeWijzer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BezigeWijzer() { QGuiApplication::restoreOverrideCursor(); }
    BezigeWijzer(const BezigeWijzer&) = delete;
    BezigeWijzer& operator=(const BezigeWijzer&) = delete;
};
