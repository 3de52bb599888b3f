// SPDX-License-Identifier: GPL-3.0-or-later
#include "step_export.h"

#include "number_texts.h"
#include "value_table.h"

#include <QLabel>
#include <QPainter>

#include <algorithm>

namespace {

QString ValuesLine(const QString& name, const std::vector<double>& values) {
    QStringList cells{name};
    for (double v : values) cells << FileNumberText(v);
    return cells.join('\t');
}

QImage LineImage(const QString& text, const QFont& font, const QPalette& palette) {
    const QFontMetrics metrics(font);
    QImage image(std::max(1, metrics.horizontalAdvance(text) + 8), metrics.height() + 6,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(palette.color(QPalette::Window));
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(palette.color(QPalette::WindowText));
    painter.drawText(image.rect().adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

}  // namespace

QString StepText(std::int32_t pattern, const std::vector<double>& inputs, const std::vector<double>& expected,
                 const QList<ValueTable*>& tables, const AppliedValues& applied) {
    QStringList sections{QStringList{QString("Patrón\t%1").arg(pattern), ValuesLine("x", inputs), ValuesLine("d", expected)}
                             .join('\n')};
    for (const ValueTable* table : tables)
        if (table->rowCount() > 0) sections << table->TabSeparatedText();
    if (!applied.after.empty())
        sections << QStringList{"Aplicado", ValuesLine("y antes", applied.before), ValuesLine("y después", applied.after),
                                ValuesLine("error antes → después (%)", {applied.errorBefore, applied.errorAfter})}
                        .join('\n');
    return sections.join("\n\n") + '\n';
}

QImage StepImage(const QList<const QLabel*>& lines, const QList<ValueTable*>& tables, const QPalette& palette) {
    QList<QImage> parts;
    for (const QLabel* label : lines) parts << LineImage(label->text(), label->font(), palette);
    for (ValueTable* table : tables)
        if (table->rowCount() > 0) parts << LineImage(table->accessibleName(), table->font(), palette) << table->WholeImage();
    int width = 0, height = 0;
    for (const QImage& part : parts) width = std::max(width, part.width()), height += part.height() + 4;
    QImage whole(width + 8, height + 4, QImage::Format_ARGB32_Premultiplied);
    whole.fill(palette.color(QPalette::Window));
    QPainter painter(&whole);
    int top = 4;
    for (const QImage& part : parts) {
        painter.drawImage(4, top, part);
        top += part.height() + 4;
    }
    return whole;
}
