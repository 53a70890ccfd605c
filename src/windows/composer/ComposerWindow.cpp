#include "windows/composer/ComposerWindow.h"

#include "nqc/FinishCommand.h"
#include "ui_ComposerWindow.h"
#include "widgets/FormDesign.h"

namespace {

// The form's controls by what they mean. Members of the generated form class,
// so a control renamed in the form fails to compile here.
using Form = Ui::ComposerWindow;

constexpr std::array<ClickableLabel * Form::*, PitchCount> PitchKeys{
    &Form::Label1, &Form::Label2, &Form::Label3, &Form::Label4,  &Form::Label5,  &Form::Label6,
    &Form::Label7, &Form::Label8, &Form::Label9, &Form::Label10, &Form::Label11, &Form::Label12,
};

// In the order of Octave: lowest to highest.
constexpr std::array<QRadioButton * Form::*, AllOctaves.size()> OctaveOptions{
    &Form::Option7, &Form::Option4, &Form::Option5, &Form::Option6, &Form::Option8,
};

// In the order of Articulation: normal, staccato, slur or tie.
constexpr std::array<QRadioButton * Form::*, AllArticulations.size()> ArticulationOptions{
    &Form::Option1,
    &Form::Option2,
    &Form::Option3,
};

// In the order of NoteLength: whole to thirty-second, the four dotted lengths,
// the three triplets.
constexpr std::array<QPushButton * Form::*, NoteLengthCount> LengthButtons{
    &Form::Command101, &Form::Command102, &Form::Command103, &Form::Command104, &Form::Command105,
    &Form::Command106, &Form::Command111, &Form::Command112, &Form::Command113, &Form::Command114,
    &Form::Command121, &Form::Command122, &Form::Command123,
};

} // namespace

ComposerWindow::ComposerWindow(int tempo, MessageService &messages, FileSystem &files, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::ComposerWindow>())
    , m_messages(messages)
    , m_files(files)
    , m_editor(tempo, messages)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // A fixed window with a close box but no minimise or maximise box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    setFixedSize(size());
    applyFormDesign(this);
    m_editor.setChangeListener([this] { draw(); });
    connectSelections();
    connectCommands();
    draw();
    lengthButton(NoteLength::Whole)->setFocus();
}

ComposerWindow::~ComposerWindow() = default;

ClickableLabel *ComposerWindow::pitchKey(int pitch) const
{
    return (*m_ui).*PitchKeys.at(static_cast<std::size_t>(pitch));
}

QRadioButton *ComposerWindow::octaveOption(Octave octave) const
{
    return (*m_ui).*OctaveOptions.at(static_cast<std::size_t>(octave));
}

QRadioButton *ComposerWindow::articulationOption(Articulation articulation) const
{
    return (*m_ui).*ArticulationOptions.at(static_cast<std::size_t>(articulation));
}

QPushButton *ComposerWindow::lengthButton(NoteLength length) const
{
    return (*m_ui).*LengthButtons.at(static_cast<std::size_t>(length));
}

QPushButton *ComposerWindow::confirmButton() const
{
    return m_ui->Command2;
}
QPushButton *ComposerWindow::restButton() const
{
    return m_ui->Command3;
}
QPushButton *ComposerWindow::clearButton() const
{
    return m_ui->Command4;
}
QPushButton *ComposerWindow::repeatButton() const
{
    return m_ui->Command6;
}
QPushButton *ComposerWindow::finishButton() const
{
    return m_ui->Command5;
}
QPushButton *ComposerWindow::aboutButton() const
{
    return m_ui->Command1;
}

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
    for (int pitch = 0; pitch < PitchCount; ++pitch)
        onClick(pitchKey(pitch), [pitch](ScoreEditor &e) { e.choosePitch(pitch); });
    for (Octave octave : AllOctaves)
        onClick(octaveOption(octave), [octave](ScoreEditor &e) { e.chooseOctave(octave); });
    for (Articulation articulation : AllArticulations)
        onClick(articulationOption(articulation),
                [articulation](ScoreEditor &e) { e.chooseArticulation(articulation); });
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        const NoteLength length = entry.length;
        onClick(lengthButton(length), [length](ScoreEditor &e) { e.chooseLength(length); });
    }
}

void ComposerWindow::connectCommands()
{
    onClick(confirmButton(), [](ScoreEditor &e) { e.confirm(); });
    onClick(restButton(), [](ScoreEditor &e) { e.rest(); });
    onClick(clearButton(), [](ScoreEditor &e) { e.clearPrevious(); });
    onClick(repeatButton(), [](ScoreEditor &e) { e.repeatPrevious(); });
    connect(aboutButton(), &QPushButton::clicked, this, &ComposerWindow::aboutRequested);
    connect(finishButton(), &QPushButton::clicked, this, &ComposerWindow::finish);
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
    octaveOption(m_editor.selectedOctave())->setChecked(true);
    articulationOption(m_editor.selectedArticulation())->setChecked(true);
    confirmButton()->setEnabled(m_editor.confirmEnabled());
}
