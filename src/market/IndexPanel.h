#pragma once

#include "base/ChangeNotifier.h"
#include "base/Colour.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace listorix {

// The four indices of the panel, in the order of the index answer's lines.
enum class MarketIndex
{
    MIBTEL,
    MIB30,
    MIDEX,
    SPMIB,
};

// The panel's five columns: "var.", "valore", "ora", "min", "max".
enum class IndexField
{
    Change,
    Value,
    Time,
    Low,
    High,
};

// One static text of the panel: what it shows and its font colour.
struct PanelText
{
    std::string text;
    TColor colour = clBlue;

    friend bool operator==(const PanelText&, const PanelText&) = default;
};

// What the index panel shows: five texts per index and the date header. A view
// binds its labels by their control names (StaticTextMIBTEL, StaticTextMIB30_valore,
// ..., LabelDataIndici) and redraws on the change notice. Main thread only.
class IndexPanel final
{
public:
    static constexpr std::array<MarketIndex, 4> kIndices = {MarketIndex::MIBTEL, MarketIndex::MIB30,
                                                            MarketIndex::MIDEX, MarketIndex::SPMIB};
    static constexpr std::array<IndexField, 5> kFields = {
        IndexField::Change, IndexField::Value, IndexField::Time, IndexField::Low, IndexField::High};
    static constexpr std::string_view kDateHeaderName = "LabelDataIndici";
    static constexpr std::string_view kInitialDateHeader = "Indici del";

    // "MIBTEL", "MIB30", "MIDEX", "SPMIB".
    static std::string_view indexName(MarketIndex index);
    // "StaticText" + index name + "", "_valore", "_ora", "_min" or "_max".
    static std::string controlName(MarketIndex index, IndexField field);
    // The twenty static text names, index by index.
    static std::vector<std::string> controlNames();
    struct ControlId
    {
        MarketIndex index;
        IndexField field;
    };
    static std::optional<ControlId> findControl(std::string_view name);

    IndexPanel() = default;
    IndexPanel(const IndexPanel&) = delete;
    IndexPanel& operator=(const IndexPanel&) = delete;

    const PanelText& control(MarketIndex index, IndexField field) const;
    // By control name; none for a name that is not one of the twenty.
    const PanelText* control(std::string_view name) const;
    const std::string& text(MarketIndex index, IndexField field) const { return control(index, field).text; }
    const std::string& dateHeader() const { return m_dateHeader; }

    void setText(MarketIndex index, IndexField field, std::string text);
    // The change text's colour from its sign: red when it begins with "-", else blue.
    void applyColourBySign(MarketIndex index);
    void setDateHeader(std::string text);

    void setObserver(ChangeNotifier::Observer observer) { m_notifier.setObserver(std::move(observer)); }
    ChangeNotifier::Batch batchChanges() { return ChangeNotifier::Batch(m_notifier); }

private:
    PanelText& slot(MarketIndex index, IndexField field);

    std::array<std::array<PanelText, kFields.size()>, kIndices.size()> m_texts{};
    std::string m_dateHeader{kInitialDateHeader};
    ChangeNotifier m_notifier;
};

} // namespace listorix
