#pragma once

class QTextStream;
struct CommandLineRequest;

// --undump: the design file that the text --dump wrote of it. The text is
// request.design; the design goes to request.output or, without one, beside
// the text under its name with ".kfx". Returns the exit status (0, or 2 for
// a file that cannot be read or written and for text that is no dump).
int undumpDesign(const CommandLineRequest &request, QTextStream &err);
