#include "picture/ShownPicture.h"

#include "picture/CalculationSequence.h"
#include "project/ProjectDocument.h"
#include "sideview/SideView.h"

namespace picture {

namespace {

constexpr int kSurfaces[] = {sideview::Picture1, sideview::Picture33, sideview::Picture44};

} // namespace

ShownPicture::ShownPicture(ProjectDocument& document, QObject* parent)
    : QObject(parent), m_doc(document)
{
    if (const auto shown = m_doc.snapshot().shown) {
        followScales();
        redrawn(*shown);
        m_value.captions.insert(QStringLiteral("Label58"), m_doc.text(Control::Label58));
    } else {
        startUp();
    }

    connect(&m_doc, &ProjectDocument::redrawn, this, &ShownPicture::redrawn);
    connect(&m_doc, &ProjectDocument::picturesCleared, this, &ShownPicture::cleared);
    connect(&m_doc, &ProjectDocument::scalesChanged, this, &ShownPicture::followScales);
    // Back to before the first redraw: the start-up picture again.
    connect(&m_doc, &ProjectDocument::restored, this, [this] {
        if (!m_doc.snapshot().shown) {
            startUp();
            emit changed();
        }
    });
    connect(&m_doc, &ProjectDocument::textChanged, this, [this](Control c) {
        if (c != Control::Label58)
            return;
        m_value.captions.insert(QStringLiteral("Label58"), m_doc.text(c));
        emit changed();
    });
}

void ShownPicture::followScales()
{
    const sideview::Inputs& s = m_doc.scales();
    m_value.picture1.setScaleHeight(s.SH1);
    m_value.picture33.setScaleHeight(s.SH33);
    m_value.picture44.setScaleHeight(s.SH44);
}

void ShownPicture::startUp()
{
    m_value = SideViewPicture();
    m_mapPicture.reset();
    followScales();
    noteDrawing(m_doc.startupDrawing());
    m_value.picture1.replay(m_value.drawing, sideview::Picture1);
    m_value.captions.insert(QStringLiteral("Label58"), m_doc.text(Control::Label58));
    m_cleared = false;
}

void ShownPicture::noteDrawing(const DrawList& drawing)
{
    m_value.drawing = drawing;
    for (std::size_t i = 0; i < std::size(kSurfaces); ++i)
        m_value.drawingScaleHeights[i] = m_value.canvas(kSurfaces[i]).scaleHeight();
}

void ShownPicture::redrawn(const sideview::Redraw& redraw)
{
    noteDrawing(redraw.ops);
    for (int id : kSurfaces)
        m_value.canvas(id).replay(redraw.ops, id);
    for (auto it = redraw.captions.begin(); it != redraw.captions.end(); ++it)
        m_value.captions.insert(it.key(), it.value());
    m_value.map.reset();
    m_mapPicture.reset();
    m_cleared = false;
    emit changed();
}

void ShownPicture::cleared()
{
    noteDrawing({});
    for (int id : kSurfaces)
        m_value.canvas(id).clear();
    m_value.map.reset();
    m_mapPicture.reset();
    m_cleared = true;
    emit changed();
}

void ShownPicture::showMap(std::shared_ptr<spl::ShownMap> map)
{
    map->placement =
        spl::paintCalculatedMap(m_doc, map->job, map->result, map->settings.style, m_value.picture1,
                                m_value.picture33, m_value.picture44);
    m_value.map = std::move(map);
    m_mapPicture = std::make_shared<const SideViewPicture>(m_value);
    emit changed();
}

void ShownPicture::restore(const State& state)
{
    if (state.cleared) {
        cleared();
    } else if (const std::shared_ptr<const SideViewPicture> picture = state.withMap.lock()) {
        m_value = *picture;
        m_mapPicture = picture;
        followScales();
        emit changed();
    }
}

} // namespace picture
