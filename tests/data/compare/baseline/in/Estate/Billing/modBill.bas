Attribute VB_Name = "modBill"
Option Explicit

' The total of one bill
Public Function BillTotal(ByVal net As Double) As Double
    BillTotal = net + Tax(net)
End Function
