Attribute VB_Name = "modCore"
Option Explicit
Public Function Tax(ByVal amount As Currency) As Currency
    Tax = amount * 0.2
End Function
