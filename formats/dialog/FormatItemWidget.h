#pragma once
// A scrolling grid of format tiles, five to a row, filled from one
// category of a profile catalogue.
#include <QList>
#include <QScrollArea>

class FormatItem;
class ProfileCatalogue;
class QVBoxLayout;

class FormatItemWidget : public QScrollArea {
    Q_OBJECT
public:
    explicit FormatItemWidget(bool lossless, QWidget *parent = nullptr);

    // Replaces the tiles by the formats of category.
    void fill(ProfileCatalogue &catalogue, const QString &category);
    // Selects the tile of id (state 2), every other tile back to 0.
    void selectItem(const QString &id);
    const QList<FormatItem *> &items() const { return m_items; }
    FormatItem *item(const QString &id) const;
    FormatItem *selectedItem() const { return m_selected; }
    QString category() const { return m_category; }

signals:
    void emitItemPress(const QString &categories, const QString &itemName);
    void emitClickBtnSet(const QString &itemID);
    void emitClickFormatWgt();
    void emitDoubleClick();

public slots:
    void ItemPress(const QString &categories, const QString &itemID, bool all);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_lossless;
    QString m_category;
    QWidget *m_content = nullptr;
    QList<QVBoxLayout *> m_columns;
    QList<FormatItem *> m_items;
    FormatItem *m_selected = nullptr;
};
