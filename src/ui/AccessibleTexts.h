#pragma once
// What a screen reader says of each control beyond its name: what the control is for and,
// for the entry fields, where Enter goes next. The names themselves are set where the
// controls are built.

class Form2;

void describeForAssistiveTechnology(Form2 &form);
