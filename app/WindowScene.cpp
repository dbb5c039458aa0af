#include "app/WindowScene.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <stdexcept>
#include <string>

#include "anim/AnimationClock.h"
#include "app/SafeFile.h"
#include "app/TForm1.h"
#include "render/ParseFieldInteger.h"

namespace {

// Far beyond any scene the window can write: what is larger is not one.
constexpr qint64 kLargestSceneFile = qint64{64} << 20;

template <class Control>
Control& Named(const TForm1& form, std::string_view name) {
  auto* control = form.findChild<Control*>(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  if (control == nullptr) throw std::logic_error("the window has no control named " + std::string(name));
  return *control;
}

Extended& NumberNamed(std::string_view name) { return name == "TimeStep" ? TimeStep : BubblePosition; }

std::string ControlValue(const TForm1& form, const SceneName& name) {
  switch (name.kind) {
    case SceneKind::Text: {
      std::string text = Named<QLineEdit>(form, name.name).text().toStdString();
      if (!FitsOnOneLine(text))
        throw std::runtime_error("The text of " + std::string(name.name) +
                                 " holds a line break, which a scene file cannot keep");
      return text;
    }
    case SceneKind::Slider: return std::to_string(Named<QScrollBar>(form, name.name).value());
    case SceneKind::Choice: return Named<QRadioButton>(form, name.name).isChecked() ? "1" : "0";
    case SceneKind::Number: return NumberText(NumberNamed(name.name));
  }
  return {};
}

// Choosing one radio button leaves the others of its page; a chosen one that
// is to be left makes its page have none chosen, as at start on the Animation page.
void SetChoice(QRadioButton& radio, bool chosen) {
  if (radio.isChecked() == chosen) return;
  if (chosen) {
    radio.setChecked(true);
    return;
  }
  radio.setAutoExclusive(false);
  radio.setChecked(false);
  radio.setAutoExclusive(true);
}

void Apply(TForm1& form, SceneKind kind, const SceneSetting& setting) {
  switch (kind) {
    case SceneKind::Text: Named<QLineEdit>(form, setting.name).setText(QString::fromStdString(setting.value)); return;
    case SceneKind::Slider:
      Named<QScrollBar>(form, setting.name).setValue(TryParseFieldInteger(setting.value).value_or(0));
      return;
    case SceneKind::Choice: SetChoice(Named<QRadioButton>(form, setting.name), setting.value == "1"); return;
    case SceneKind::Number: NumberNamed(setting.name) = ParseNumberText(setting.value).value_or(0); return;
  }
}

std::string NativePath(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

}  // namespace

std::vector<SceneSetting> ReadWindowScene(const TForm1& form) {
  std::vector<SceneSetting> settings;
  for (const SceneName& name : SceneNames()) settings.push_back({std::string(name.name), ControlValue(form, name)});
  return settings;
}

// The two numbers wait for every control: a field's handler may set the step.
void ApplyWindowScene(TForm1& form, const std::vector<SceneSetting>& settings) {
  for (const bool numbers : {false, true}) {
    for (const SceneSetting& setting : settings) {
      const std::optional<SceneKind> kind = SceneKindOf(setting.name);
      if (kind && (*kind == SceneKind::Number) == numbers) Apply(form, *kind, setting);
    }
  }
}

std::vector<SceneSetting> LoadSceneFile(const QString& path) {
  QFile file(path);
  const auto cannotOpen = [&](const QString& reason) {
    return std::runtime_error("Cannot open the scene \"" + NativePath(path) + "\": " + reason.toStdString());
  };
  if (!file.open(QIODevice::ReadOnly)) throw cannotOpen(file.errorString());
  // Read up to the limit and no further: a device never ends, a huge file is no scene.
  const QByteArray bytes = file.read(kLargestSceneFile + 1);
  if (file.error() != QFileDevice::NoError) throw cannotOpen(file.errorString());
  if (bytes.size() > kLargestSceneFile) throw cannotOpen(QStringLiteral("it is too large to be a scene"));
  SceneRead read = ReadScene(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (read.error) throw std::runtime_error(SceneFileErrorMessage(NativePath(path), *read.error));
  return std::move(read.settings);
}

void SaveSceneFile(const QString& path, const std::vector<SceneSetting>& settings) {
  const std::string text = WriteScene(settings);
  SaveFileSafely(path, QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

std::vector<SceneSetting> SettingsFromArguments(const QStringList& arguments) {
  std::vector<SceneSetting> settings;
  for (const QString& argument : arguments) {
    const std::string text = argument.toStdString();
    std::optional<SceneSetting> setting = SplitSetting(text);
    const std::optional<std::string> problem =
        setting ? SettingProblem(*setting) : std::optional<std::string>("it is not NAME=VALUE");
    if (problem) throw std::runtime_error(SceneArgumentErrorMessage(text, *problem));
    settings.push_back(std::move(*setting));
  }
  return settings;
}
