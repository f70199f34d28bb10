// The curve classes of the line description: the digit a curve keyword holds (`curvad4`) and
// the turn per metre it gives the track plan. One table for the parser that turns the plan and
// for the readers that find the curves again in a compiled plan.
#ifndef COMPILER_CLASSI_CURVA_H_
#define COMPILER_CLASSI_CURVA_H_

namespace scenario {

struct classe_curva {
  int classe;
  const char* cifra;
  double curvatura;  // radians per metre; a `curvas` record turns by minus this
};

// In the order the parser tests the digits: the lowest digit a keyword holds wins.
inline constexpr classe_curva classi_curva[] = {{1, "1", 0.0001}, {2, "2", 0.0002},
                                                {3, "3", 0.0004}, {4, "4", 0.001},
                                                {5, "5", 0.002},  {6, "6", 0.003}};

}  // namespace scenario

#endif  // COMPILER_CLASSI_CURVA_H_
