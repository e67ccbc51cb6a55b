Attribute VB_Name = "modTax"
Option Explicit

Public Const RATE As Double = 0.2

Public Function Tax(ByVal net As Double) As Double
    Tax = net * RATE
End Function
