#include "MixedValue.h"

// Empty is no number here, though arithmetic takes it as 0 (NumberDecisions D9).
bool MixedValue::isNumber() const
{
    switch (kind()) {
    case Kind::Int16:
    case Kind::Int32:
    case Kind::Double:
    case Kind::Currency:
        return true;
    case Kind::Empty:
    case Kind::Null:
    case Kind::Text:
        return false;
    }
    Q_UNREACHABLE();
}
