#include "engraving/StaffBuilder.h"

StaffOnDemand::StaffOnDemand() = default;

StaffOnDemand::StaffOnDemand(std::shared_ptr<const WrittenMelody> melody, float width)
    : m_melody(std::move(melody))
    , m_builder(std::make_unique<StaffEngraving::StaffBuilder>(*m_melody, width, QString()))
{
    m_builder->prepare();
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
    draw({0, int(layout().systems.size())});
    return layout();
}
