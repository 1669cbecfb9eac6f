#pragma once

#include <QWidget>
#include <functional>

// Runs an action on the modal window that opens next, as a user would answer it: the action
// gets the window (the active modal widget) once it is shown. Fails the test when no modal
// window opens within the time allowed.
void AnswerNextModal(std::function<void(QWidget*)> action, int timeout_ms = 5000);
