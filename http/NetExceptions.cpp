#include "http/NetExceptions.h"

#include "http/SocketErrors.h"

ESocketError::ESocketError(int errorCode) : ENetException(SocketErrorMessage(errorCode)), Code(errorCode)
{
}
