#include "gui/BatchMappingDialog.h"

#include "batch/ColumnMapping.h"
#include "batch/HeaderGuess.h"
#include "batch/OrderFormat.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <map>

namespace {

struct FieldLabel
{
    batch::Field field;
    const char* label;
};

// The fields a user maps, as the slip names them.
constexpr FieldLabel kFields[] = {
    {batch::Field::Order, "注文番号"}, {batch::Field::Zip, "郵便番号"},  {batch::Field::Prefecture, "都道府県"},
    {batch::Field::City, "市区町村"},  {batch::Field::Address1, "住所"}, {batch::Field::Address2, "建物名"},
    {batch::Field::Name, "おなまえ"},  {batch::Field::FamilyName, "姓"}, {batch::Field::GivenName, "名"},
    {batch::Field::Tel, "でんわ"},     {batch::Field::Item, "品名"},     {batch::Field::Quantity, "個数"},
};

// The column each field had in a mapping, 0-based; for a file met the first time (or whose
// mapping no longer fits), the columns whose headers name a field.
std::map<batch::Field, std::size_t> columnsOf(const std::string& mapping, const std::vector<std::string>& header)
{
    batch::ColumnMap map;
    try {
        map = batch::ParseColumnMap(mapping, header);
    } catch (const batch::BatchError&) {
        map = batch::GuessColumns(header);
    }
    std::map<batch::Field, std::size_t> columns;
    for (std::size_t field = 0; field < map.size(); ++field) {
        if (map[field]) {
            columns[static_cast<batch::Field>(field)] = *map[field];
        }
    }
    return columns;
}

} // namespace

BatchMappingDialog::BatchMappingDialog(const std::vector<std::string>& header, const std::string& mapping,
                                       QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("BatchMappingDialog"));
    setWindowTitle(QStringLiteral("列の割り当て"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("どの列に何が入っているかを選んでください"), this));
    auto* form = new QFormLayout;
    const auto preselected = columnsOf(mapping, header);
    for (const FieldLabel& entry : kFields) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("ComboBox_") + QString::fromUtf8(batch::FieldKey(entry.field)));
        box->addItem(QStringLiteral("（なし）"));
        for (std::size_t i = 0; i < header.size(); ++i) {
            box->addItem(QStringLiteral("%1: %2").arg(i + 1).arg(QString::fromStdString(header[i])));
        }
        const auto found = preselected.find(entry.field);
        box->setCurrentIndex(found == preselected.end() ? 0 : static_cast<int>(found->second) + 1);
        form->addRow(QString::fromUtf8(entry.label), box);
        m_boxes.push_back(box);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::string BatchMappingDialog::mapping() const
{
    std::string text;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        const int column = m_boxes[i]->currentIndex();
        if (column > 0) {
            text += (text.empty() ? "" : ",") + std::string(batch::FieldKey(kFields[i].field)) + "=" +
                    std::to_string(column);
        }
    }
    return text;
}
