#include "market/TrayHint.h"

#include "market/IndexPanel.h"

namespace listorix {

std::string trayHintText(const IndexPanel& panel)
{
    return "MIBTEL:" + panel.text(MarketIndex::MIBTEL, IndexField::Change) + " " +
           "MIB30:" + panel.text(MarketIndex::MIB30, IndexField::Change) + " " +
           "MIDEX:" + panel.text(MarketIndex::MIDEX, IndexField::Change);
}

} // namespace listorix
