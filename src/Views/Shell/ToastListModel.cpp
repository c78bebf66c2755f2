#include "ToastListModel.h"

#include "App/AppModel.h"
#include "Views/Kit/Palette.h"

using namespace Qt::StringLiterals;

namespace {

// A kind's symbol and colour.
struct Look
{
    QString symbol;
    QColor tint;
};

Look lookOf(ToastKind kind)
{
    switch (kind) {
    case ToastKind::Success:
        return {u"checkmark.circle.fill"_s, Palette::success};
    case ToastKind::Warning:
        return {u"exclamationmark.triangle.fill"_s, Palette::warning};
    case ToastKind::Error:
        return {u"xmark.octagon.fill"_s, Palette::danger};
    case ToastKind::Info:
        break;
    }
    return {u"info.circle.fill"_s, Palette::text2};
}

} // namespace

void ToastListModel::follow(AppModel &app)
{
    if (m_app)
        return;
    m_app = &app;
    connect(m_app, &AppModel::toastsChanged, this, &ToastListModel::update);
    update();
}

int ToastListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant ToastListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ToastMessage &toast = m_rows.at(index.row());
    switch (role) {
    case IdRole:
        return toast.id.toString(QUuid::WithoutBraces);
    case TextRole:
        return toast.text;
    case SymbolRole:
        return lookOf(toast.kind).symbol;
    case TintRole:
        return lookOf(toast.kind).tint;
    default:
        return {};
    }
}

QHash<int, QByteArray> ToastListModel::roleNames() const
{
    return {{IdRole, "toastId"}, {TextRole, "text"}, {SymbolRole, "symbol"}, {TintRole, "tint"}};
}

void ToastListModel::update()
{
    const QList<ToastMessage> &current = m_app->toasts();
    const auto shown = [&current](const ToastMessage &row) {
        return std::any_of(current.cbegin(), current.cend(), [&row](const ToastMessage &toast) { return toast.id == row.id; });
    };
    for (qsizetype row = m_rows.size() - 1; row >= 0; --row) {
        if (!shown(m_rows.at(row))) {
            beginRemoveRows({}, int(row), int(row));
            m_rows.removeAt(row);
            endRemoveRows();
        }
    }
    // What remains are the oldest notices: new ones are only ever appended to the model's list.
    const qsizetype added = current.size() - m_rows.size();
    if (added > 0) {
        beginInsertRows({}, 0, int(added - 1));
        for (qsizetype index = current.size() - added; index < current.size(); ++index)
            m_rows.prepend(current.at(index));
        endInsertRows();
    }
}
