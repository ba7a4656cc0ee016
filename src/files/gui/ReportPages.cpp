#include "files/gui/ReportPages.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextOption>
#include <algorithm>

namespace report {

namespace {

const QColor kRule(0x90, 0x90, 0x90);

} // namespace

QFont pageFont(double points, bool bold)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    // Unshaped, so that no ligature stands for its letters when the text is read back.
    font.setStyleHint(QFont::SansSerif, QFont::PreferNoShaping);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

Paragraph::Paragraph(const QString& text, const QFont& font, double width, QPaintDevice* device,
                     int boldPrefix, Qt::Alignment alignment)
    : m_layout(std::make_unique<QTextLayout>(text, font, device))
{
    QTextOption option(alignment);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout->setTextOption(option);
    if (boldPrefix > 0) {
        QTextLayout::FormatRange bold;
        bold.start = 0;
        bold.length = boldPrefix;
        bold.format.setFontWeight(QFont::Bold);
        m_layout->setFormats({bold});
    }
    m_layout->beginLayout();
    for (QTextLine line = m_layout->createLine(); line.isValid(); line = m_layout->createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, m_height));
        m_height += line.height();
    }
    m_layout->endLayout();
}

void Paragraph::draw(QPainter& painter, QPointF topLeft) const
{
    painter.setPen(Qt::black);
    m_layout->draw(&painter, topLeft);
}

Pages::Pages(QPagedPaintDevice& device, const PageHeading& heading, QString pageNumbers)
    : m_device(device), m_width(device.width()), m_height(device.height()),
      m_pageNumbers(std::move(pageNumbers))
{
    const double width = contentWidth();
    // The program's name and the date share the first line; the date keeps its width.
    const QString date = heading.dateCaption + ' ' + heading.date;
    auto dateLine = std::make_unique<Paragraph>(date, pageFont(9), width, &device,
                                                heading.dateCaption.size(), Qt::AlignRight);
    const double dateWidth = QFontMetricsF(pageFont(9, true), &device).horizontalAdvance(date) + 24;
    auto program = std::make_unique<Paragraph>(heading.program, pageFont(12, true),
                                               std::max(width - dateWidth, width / 2), &device);
    double y = kMargin;
    const double programHeight = program->height();
    m_header.emplace_back(std::move(dateLine), QPointF(kMargin, y + 2));
    m_header.emplace_back(std::move(program), QPointF(kMargin, y));
    y += programHeight + 4;
    for (const auto& [caption, name] : {std::pair(heading.projectCaption, heading.project),
                                        std::pair(heading.customerCaption, heading.customer)}) {
        auto line = std::make_unique<Paragraph>(caption + ' ' + name, pageFont(10), width, &device,
                                                caption.size());
        const double h = line->height();
        m_header.emplace_back(std::move(line), QPointF(kMargin, y));
        y += h;
    }
    m_rule = y + 4;
    m_bodyTop = m_rule + 14;
}

std::vector<Pages::Place> Pages::placesOf(const std::vector<Block>& blocks) const
{
    std::vector<Place> places;
    Place at{0, m_bodyTop};
    for (const Block& b : blocks) {
        const bool fresh = at.top <= m_bodyTop;
        if (!fresh && (b.startsPage || at.top + b.height > bodyBottom()))
            at = {at.page + 1, m_bodyTop};
        places.push_back(at);
        at.top += b.height + kBlockGap;
    }
    return places;
}

void Pages::drawFrame(QPainter& painter, int page, int pages) const
{
    for (const auto& [paragraph, at] : m_header)
        paragraph->draw(painter, at);
    painter.setPen(QPen(kRule, 0.75));
    painter.drawLine(QPointF(kMargin, m_rule), QPointF(m_width - kMargin, m_rule));
    const double footer = m_height - kMargin - kFooterHeight + 6;
    painter.drawLine(QPointF(kMargin, footer), QPointF(m_width - kMargin, footer));
    const QString number = QString(m_pageNumbers)
                               .replace(QLatin1String("%1"), QString::number(page + 1))
                               .replace(QLatin1String("%2"), QString::number(pages));
    Paragraph(number, pageFont(9), contentWidth(), &m_device, 0, Qt::AlignHCenter)
        .draw(painter, QPointF(kMargin, footer + 4));
}

bool Pages::draw(QPainter& painter, const std::vector<Block>& blocks) const
{
    const std::vector<Place> places = placesOf(blocks);
    const int pages = places.empty() ? 1 : places.back().page + 1;
    int page = 0;
    drawFrame(painter, page, pages);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (places[i].page != page) {
            if (!m_device.newPage())
                return false;
            page = places[i].page;
            drawFrame(painter, page, pages);
        }
        painter.save();
        blocks[i].draw(painter, places[i].top);
        painter.restore();
    }
    return true;
}

} // namespace report
