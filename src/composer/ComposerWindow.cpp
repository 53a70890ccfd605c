#include "composer/ComposerWindow.h"

#include "app/FormDesign.h"
#include "ui_ComposerWindow.h"
#include "writer/FinishCommand.h"

ComposerWindow::ComposerWindow(qint16 tempo, MessageService &messages, FileSystem &files, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ComposerWindow>())
    , m_messages(messages)
    , m_files(files)
    , m_editor(tempo, messages)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed window with a close box but no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    applyFormDesign(this);
    connectSelections();
    connectCommands();
    draw();
    m_ui->Command101->setFocus();
}

ComposerWindow::~ComposerWindow() = default;

// Only the user's clicks run a handler: QAbstractButton::clicked is not sent
// for the option buttons that draw() selects from the program.
void ComposerWindow::onClick(QAbstractButton *button, const EditorCommand &command)
{
    connect(button, &QAbstractButton::clicked, this, [this, command] { run(command); });
}

void ComposerWindow::onClick(ClickableLabel *label, const EditorCommand &command)
{
    connect(label, &ClickableLabel::clicked, this, [this, command] { run(command); });
}

void ComposerWindow::run(const EditorCommand &command)
{
    command(m_editor);
    draw();
}

void ComposerWindow::connectSelections()
{
    const std::array<ClickableLabel *, 12> pitchLabels{
        m_ui->Label1, m_ui->Label2, m_ui->Label3, m_ui->Label4, m_ui->Label5, m_ui->Label6,
        m_ui->Label7, m_ui->Label8, m_ui->Label9, m_ui->Label10, m_ui->Label11, m_ui->Label12};
    for (int pitch = 0; pitch < 12; ++pitch)
        onClick(pitchLabels[static_cast<std::size_t>(pitch)], [pitch](ScoreEditor &e) { e.choosePitch(pitch); });

    for (Octave octave : {Octave::Lowest, Octave::Low, Octave::Middle, Octave::High, Octave::Highest})
        onClick(octaveButton(octave), [octave](ScoreEditor &e) { e.chooseOctave(octave); });
    for (Articulation articulation : {Articulation::Normal, Articulation::Staccato, Articulation::SlurOrTie})
        onClick(articulationButton(articulation), [articulation](ScoreEditor &e) { e.chooseArticulation(articulation); });

    for (const NoteLengthEntry &entry : noteLengthTable()) {
        const NoteLength length = entry.length;
        onClick(findChild<QPushButton *>(entry.buttonName), [length](ScoreEditor &e) { e.chooseLength(length); });
    }
}

void ComposerWindow::connectCommands()
{
    onClick(m_ui->Command2, [](ScoreEditor &e) { e.confirm(); });
    onClick(m_ui->Command3, [](ScoreEditor &e) { e.rest(); });
    onClick(m_ui->Command4, [](ScoreEditor &e) { e.clearPrevious(); });
    onClick(m_ui->Command6, [](ScoreEditor &e) { e.repeatPrevious(); });
    connect(m_ui->Command1, &QPushButton::clicked, this, &ComposerWindow::aboutRequested);
    connect(m_ui->Command5, &QPushButton::clicked, this, &ComposerWindow::finish);
}

void ComposerWindow::finish()
{
    if (finishComposing(m_editor.state(), m_messages, m_files) == FinishResult::EndProgram)
        emit endRequested();
}

void ComposerWindow::draw()
{
    m_ui->Label40->setText(m_editor.descriptionCaption());
    m_ui->Label16->setText(m_editor.historyCaption());
    octaveButton(m_editor.selectedOctave())->setChecked(true);
    articulationButton(m_editor.selectedArticulation())->setChecked(true);
    m_ui->Command2->setEnabled(m_editor.confirmEnabled());
}

QRadioButton *ComposerWindow::octaveButton(Octave octave) const
{
    switch (octave) {
    case Octave::Lowest:
        return m_ui->Option7;
    case Octave::Low:
        return m_ui->Option4;
    case Octave::Middle:
        return m_ui->Option5;
    case Octave::High:
        return m_ui->Option6;
    case Octave::Highest:
        return m_ui->Option8;
    }
    return m_ui->Option5;
}

QRadioButton *ComposerWindow::articulationButton(Articulation articulation) const
{
    switch (articulation) {
    case Articulation::Normal:
        return m_ui->Option1;
    case Articulation::Staccato:
        return m_ui->Option2;
    case Articulation::SlurOrTie:
        return m_ui->Option3;
    }
    return m_ui->Option1;
}
