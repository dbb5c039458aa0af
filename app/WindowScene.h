#pragma once
// Scenes on the window's side: its controls read into settings, settings put
// back through the controls, and scene files read and saved.
//
// A setting is applied as the user would have made it: a text is put into
// its field as a paste would put it, so the field's own rule runs on it at
// once; a slider is moved there and its change handler writes its field; a
// radio button is chosen or left. The bubble's position and step are set last.

#include <QString>
#include <QStringList>

#include <vector>

#include "app/SceneFile.h"

class TForm1;

// Every name of SceneNames, in its order, with what the window holds now.
// Throws std::runtime_error naming a field whose text holds a line break.
std::vector<SceneSetting> ReadWindowScene(const TForm1& form);

// Settings that SettingProblem has found nothing wrong with, in order.
void ApplyWindowScene(TForm1& form, const std::vector<SceneSetting>& settings);

// The settings of a scene file. Throws std::runtime_error with the file's
// name and the system's reason, or with the line that cannot be applied.
std::vector<SceneSetting> LoadSceneFile(const QString& path);

// Writes the file whole or leaves an earlier one as it was; throws as SaveFileSafely does.
void SaveSceneFile(const QString& path, const std::vector<SceneSetting>& settings);

// NAME=VALUE arguments as settings; throws std::runtime_error naming the
// first one that cannot be applied.
std::vector<SceneSetting> SettingsFromArguments(const QStringList& arguments);
