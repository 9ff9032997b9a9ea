#include "core/common/toeval.h"

namespace
{
class SysteemToeval : public Toeval
{
public:
    int getal(int laag, int hoog) override { return QRandomGenerator::system()->bounded(laag, hoog + 1); }
};
} // namespace

Toeval& Toeval::systeem()
{
    static SysteemToeval bron;
    return bron;
}
