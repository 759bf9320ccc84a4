// SPDX-FileCopyrightText: 2026 The pendulum simulator authors
// SPDX-License-Identifier: MIT
// In the browser, text that comes as no key (an input method's, an emoji panel's): the page takes
// it in a text box of its own while a field has the keyboard, and hands it to the field.
#pragma once

// Tells the page, from now on, when a field takes or gives up the keyboard and where it lies.
void takeTextFromThePage();
