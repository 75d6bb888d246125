#include "market/IndexPanel.h"

#include "market/QuoteFormat.h"

namespace listorix {

namespace {

constexpr std::string_view kControlPrefix = "StaticText";

std::string_view fieldSuffix(IndexField field)
{
    switch (field) {
    case IndexField::Change:
        return "";
    case IndexField::Value:
        return "_valore";
    case IndexField::Time:
        return "_ora";
    case IndexField::Low:
        return "_min";
    case IndexField::High:
        return "_max";
    }
    return "";
}

std::size_t position(MarketIndex index)
{
    return static_cast<std::size_t>(index);
}

std::size_t position(IndexField field)
{
    return static_cast<std::size_t>(field);
}

} // namespace

std::string_view IndexPanel::indexName(MarketIndex index)
{
    switch (index) {
    case MarketIndex::MIBTEL:
        return "MIBTEL";
    case MarketIndex::MIB30:
        return "MIB30";
    case MarketIndex::MIDEX:
        return "MIDEX";
    case MarketIndex::SPMIB:
        return "SPMIB";
    }
    return "";
}

std::string IndexPanel::controlName(MarketIndex index, IndexField field)
{
    std::string name(kControlPrefix);
    name += indexName(index);
    name += fieldSuffix(field);
    return name;
}

std::vector<std::string> IndexPanel::controlNames()
{
    std::vector<std::string> names;
    names.reserve(kIndices.size() * kFields.size());
    for (const MarketIndex index : kIndices) {
        for (const IndexField field : kFields)
            names.push_back(controlName(index, field));
    }
    return names;
}

std::optional<IndexPanel::ControlId> IndexPanel::findControl(std::string_view name)
{
    for (const MarketIndex index : kIndices) {
        for (const IndexField field : kFields) {
            if (controlName(index, field) == name)
                return ControlId{index, field};
        }
    }
    return std::nullopt;
}

const PanelText& IndexPanel::control(MarketIndex index, IndexField field) const
{
    return m_texts.at(position(index)).at(position(field));
}

const PanelText* IndexPanel::control(std::string_view name) const
{
    const auto id = findControl(name);
    return id ? &control(id->index, id->field) : nullptr;
}

PanelText& IndexPanel::slot(MarketIndex index, IndexField field)
{
    return m_texts.at(position(index)).at(position(field));
}

void IndexPanel::setText(MarketIndex index, IndexField field, std::string text)
{
    std::string& current = slot(index, field).text;
    if (current == text)
        return;
    current = std::move(text);
    m_notifier.changed();
}

void IndexPanel::applyColourBySign(MarketIndex index)
{
    PanelText& change = slot(index, IndexField::Change);
    const TColor colour = ColourBySign(change.text);
    if (change.colour == colour)
        return;
    change.colour = colour;
    m_notifier.changed();
}

void IndexPanel::setDateHeader(std::string text)
{
    if (m_dateHeader == text)
        return;
    m_dateHeader = std::move(text);
    m_notifier.changed();
}

} // namespace listorix
