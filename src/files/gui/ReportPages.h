#pragma once

#include <QFont>
#include <QPointF>
#include <QString>
#include <QTextLayout>
#include <functional>
#include <memory>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

namespace report {

/// The face of the report's pages, at `points` points.
QFont pageFont(double points, bool bold = false);

/// A text broken into lines within a width, at word boundaries where it can
/// and anywhere where a word alone is wider: nothing is cut and nothing runs
/// past the width. A leading part may be bold (a caption before its value).
class Paragraph
{
public:
    Paragraph(const QString& text, const QFont& font, double width, QPaintDevice* device,
              int boldPrefix = 0, Qt::Alignment alignment = Qt::AlignLeft);
    double height() const { return m_height; }
    void draw(QPainter& painter, QPointF topLeft) const;

private:
    std::unique_ptr<QTextLayout> m_layout;
    double m_height = 0;
};

/// What every page shows above and below its content.
struct PageHeading
{
    QString program, projectCaption, project, customerCaption, customer, dateCaption, date;
};

/// A piece of a page's content: its height, and how to draw it from a top
/// edge at the left margin. A block that starts a page goes on a fresh one.
struct Block
{
    double height = 0;
    std::function<void(QPainter& painter, double top)> draw;
    bool startsPage = false;
};

/// The pages of the report: the margins and content width, the header
/// (program and date, project, customer, a rule) and the footer ("1 / 2")
/// of every page, and the blocks laid out from page to page.
class Pages
{
public:
    Pages(QPagedPaintDevice& device, const PageHeading& heading, QString pageNumbers);

    double left() const { return kMargin; }
    double contentWidth() const { return m_width - 2 * kMargin; }

    /// Draws the blocks, each on the page where it fits whole (or alone on
    /// one), with the header and footer on every page. Returns whether every
    /// page could be started.
    bool draw(QPainter& painter, const std::vector<Block>& blocks) const;

    /// Page geometry in points (the writer runs at 72 dots per inch).
    static constexpr double kMargin = 40;

private:
    struct Place
    {
        int page = 0;
        double top = 0;
    };
    std::vector<Place> placesOf(const std::vector<Block>& blocks) const;
    double bodyBottom() const { return m_height - kMargin - kFooterHeight; }
    void drawFrame(QPainter& painter, int page, int pages) const;

    static constexpr double kFooterHeight = 20;
    static constexpr double kBlockGap = 18;

    QPagedPaintDevice& m_device;
    double m_width;
    double m_height;
    QString m_pageNumbers;
    /// The header's paragraphs, each with its place on the page.
    std::vector<std::pair<std::unique_ptr<Paragraph>, QPointF>> m_header;
    double m_rule = 0; ///< the header's rule
    double m_bodyTop = 0;
};

} // namespace report
