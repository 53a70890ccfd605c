#include "engraving/StaffBuilder.h"

StaffOnDemand::StaffOnDemand() = default;

StaffOnDemand::StaffOnDemand(std::shared_ptr<const WrittenMelody> melody, float width, float placeDownTo)
    : m_melody(std::move(melody))
    , m_builder(std::make_unique<StaffEngraving::StaffBuilder>(*m_melody, width, QString()))
{
    m_builder->setPlacingLimit(placeDownTo);
    m_builder->prepare();
}

void StaffOnDemand::setPlacingLimit(float downTo)
{
    if (m_builder)
        m_builder->setPlacingLimit(downTo);
}

bool StaffOnDemand::placedAll() const
{
    return !m_builder || m_builder->placedAll();
}

void StaffOnDemand::placeDownTo(float downTo) const
{
    if (m_builder)
        m_builder->placeDownTo(downTo);
}

void StaffOnDemand::placeThroughNote(int note) const
{
    if (m_builder)
        m_builder->placeThroughNote(note);
}

std::size_t StaffOnDemand::placedPieces() const
{
    return m_builder ? m_builder->placedPieces() : 0;
}

float StaffOnDemand::estimatedHeight() const
{
    const StaffLayout &placed = layout();
    if (placedAll() || placed.systems.empty())
        return placed.height;
    const std::size_t pieces = m_melody->pieces.size();
    return placed.height * float(pieces) / float(std::max<std::size_t>(1, m_builder->placedPieces()));
}

void StaffOnDemand::change(std::shared_ptr<const WrittenMelody> melody, int keptPieces)
{
    if (!m_builder)
        return;
    m_builder->prepareAgain(*melody, keptPieces); // reads the melody before too
    m_melody = std::move(melody);
}

StaffOnDemand::~StaffOnDemand() = default;
StaffOnDemand::StaffOnDemand(StaffOnDemand &&) noexcept = default;
StaffOnDemand &StaffOnDemand::operator=(StaffOnDemand &&) noexcept = default;

const StaffLayout &StaffOnDemand::layout() const
{
    static const StaffLayout nothing;
    return m_builder ? m_builder->layout() : nothing;
}

void StaffOnDemand::draw(std::pair<int, int> systems) const
{
    if (!m_builder)
        return;
    for (int system = systems.first; system < systems.second; ++system)
        m_builder->drawSystem(system);
}

const StaffLayout &StaffOnDemand::drawAll() const
{
    placeDownTo(std::numeric_limits<float>::infinity());
    draw({0, int(layout().systems.size())});
    return layout();
}
